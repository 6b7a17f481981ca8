#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPalette>

class PreferencesRepository;
class QWidget;

// Owns the look of the whole application: palette (system, light, dark), the
// accent colour, the font scale and the font roles widgets opt into through the
// dynamic properties brioFontRole, brioFontWeight, brioFontItalic and
// brioAccentButton.
class ThemeManager : public QObject
{
    Q_OBJECT
public:
    enum class Theme
    {
        System,
        Light,
        Dark
    };
    Q_ENUM(Theme)

    // Font roles: 0 body, 1 body medium, 2 small, 3 emphasised, 4 heading,
    // 5 large heading, 6 display, 7 monospace.
    static constexpr int RoleCount = 8;

    explicit ThemeManager(PreferencesRepository *preferences, QObject *parent = nullptr);

    void setTheme(const QString &name);
    Theme theme() const { return m_theme; }
    static QString themeName(Theme theme);
    // Whether the palette in effect is a dark one (also for System).
    bool isDark() const;

    void setAccentColor(const QColor &color);

    void setFontScale(int percent);
    int fontScale() const;
    QFont font(int role) const;

    // The font of a role at the application-wide scale; usable without an instance.
    static QFont roleFont(int role);
    static QString accentButtonStyleSheet();
    static bool paletteIsDark(const QPalette &palette);
    // Colours for amounts, read from the application palette in effect.
    static QColor negativeColor();
    static QColor positiveColor();
    static QColor mutedColor();
    // A text colour as given, or when it does not reach 4.5:1 on the window,
    // fields and alternate rows of the palette in effect, its nearest shade that does.
    static QColor readableText(const QColor &color);
    // The light or the dark theme's colour, by the palette in effect, made readable.
    static QColor themedText(const QColor &light, const QColor &dark);
    // The outline of fields, boxes and buttons: 3:1 against the window, the
    // fields and the buttons of the palette.
    static QColor edgeColor(const QPalette &palette);
    // A style sheet that only sets the text colour, for a label coloured once.
    static QString textColorStyleSheet(const QColor &color);

    static QPalette lightPalette(const QColor &accent);
    static QPalette darkPalette(const QColor &accent);

signals:
    void themeChanged(ThemeManager::Theme theme);
    void accentChanged(const QColor &color);
    void fontScaleChanged(int percent);

private:
    void applyPalette();
    void refontWidgets();

    PreferencesRepository *m_preferences = nullptr;
    Theme m_theme = Theme::System;
    QPalette m_platformPalette;
};

// Gives the widget the font of a role and remembers the role so that a later
// change of the font scale re-fonts it. Null widgets are ignored.
void applyFontRole(QWidget *widget, int role);
// The same with an explicit weight (QFont::Weight value, 100..900) in place of the role's.
void applyFontRole(QWidget *widget, int role, int weight);
// Styles a push button in the accent colour and keeps it so when the accent changes.
void applyAccentButton(QWidget *widget);
