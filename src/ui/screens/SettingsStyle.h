#pragma once

#include <QColor>
#include <QString>

class QFormLayout;
class QLabel;
class QVBoxLayout;
class QWidget;

// The building blocks the pages of the settings screen share: page frame,
// section headers, separators, hints and the light/dark choice of colours
// (taken when a widget is built, and again by restyle after a theme change).
namespace SettingsStyle {

// The application palette's window colour is dark (lightness below 128).
bool isDark();
QString pick(const char *light, const char *dark);
// Gives a label the muted text colour and keeps it muted through restyle.
void mute(QWidget *label);
// Muted labels and separators under root take the colours of the palette now in effect.
void restyle(QWidget *root);

// A page's vertical layout (margins 24, spacing 8) beginning with its title
// and `titleSpace` pixels.
QVBoxLayout *beginPage(QWidget *page, const QString &title, int titleSpace = 12);
QWidget *sectionHeader(const QString &title, const QString &description, QWidget *parent);
QWidget *separator(QWidget *parent);
// 16 px, a separator, 12 px.
void addSeparatorBlock(QVBoxLayout *layout, QWidget *parent);
QFormLayout *formLayout();
QVBoxLayout *checkGroup();
QLabel *hint(const QString &text, QWidget *parent);

} // namespace SettingsStyle
