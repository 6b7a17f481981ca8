#include "ThemeManager.h"

#include "AppState.h"
#include "Contrast.h"
#include "PreferencesRepository.h"
#include "ThemeStyle.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

namespace {

// The base font as the platform gave it, before any scaling of ours: every
// widget that takes part in theming reads it, also those built before a
// ThemeManager exists (tests, early dialogs).
QFont g_baseFont;
bool g_baseFontCaptured = false;

// Headless users of the application state (tools, core tests) have no palette to set.
bool hasWidgets()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

const QFont &baseFont()
{
    if (!g_baseFontCaptured) {
        g_baseFont = QApplication::font();
        g_baseFontCaptured = true;
    }
    return g_baseFont;
}

qreal basePointSize()
{
    const qreal size = baseFont().pointSizeF();
    return size > 0 ? size : 10.0;
}

int clampScale(int percent)
{
    return qBound(AppState::MinFontScale, percent, AppState::MaxFontScale);
}

QColor mix(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

// Both palettes in one table: a role's colour in the light theme, disabled,
// then in the dark theme, disabled. Greens are kept faintly in the greys so
// the teal accent sits well on either.
struct RoleColors
{
    QPalette::ColorRole role;
    QRgb light;
    QRgb lightDisabled;
    QRgb dark;
    QRgb darkDisabled;
};

constexpr QRgb kLightText = 0x1F2624;
constexpr QRgb kLightOff = 0x9AA3A0;
constexpr QRgb kDarkText = 0xE6EAE8;
constexpr QRgb kDarkOff = 0x6E7572;

constexpr RoleColors kPaletteTable[] = {
    {QPalette::Window, 0xF4F6F5, 0xF4F6F5, 0x1F2322, 0x1F2322},
    {QPalette::WindowText, kLightText, kLightOff, kDarkText, kDarkOff},
    {QPalette::Base, 0xFFFFFF, 0xF4F6F5, 0x171A19, 0x1F2322},
    {QPalette::AlternateBase, 0xF2F6F4, 0xF2F6F4, 0x1E2321, 0x1E2321},
    {QPalette::Text, kLightText, kLightOff, kDarkText, kDarkOff},
    {QPalette::Button, 0xEAEDEC, 0xEEF0EF, 0x2B312F, 0x262A29},
    {QPalette::ButtonText, kLightText, kLightOff, kDarkText, kDarkOff},
    {QPalette::BrightText, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
    {QPalette::Light, 0xFFFFFF, 0xFFFFFF, 0x3A413F, 0x3A413F},
    {QPalette::Midlight, 0xE3E7E5, 0xE3E7E5, 0x323836, 0x323836},
    {QPalette::Mid, 0xC4CBC8, 0xC4CBC8, 0x2A2F2D, 0x2A2F2D},
    {QPalette::Dark, 0x9DA6A2, 0x9DA6A2, 0x121413, 0x121413},
    {QPalette::Shadow, 0x606664, 0x606664, 0x080909, 0x080909},
    {QPalette::HighlightedText, 0xFFFFFF, kLightOff, 0xFFFFFF, kDarkOff},
    {QPalette::ToolTipBase, 0xFFFFF4, 0xFFFFF4, 0x2B312F, 0x2B312F},
    {QPalette::ToolTipText, kLightText, kLightText, kDarkText, kDarkText},
    {QPalette::PlaceholderText, 0x69716E, kLightOff, 0x848E8A, kDarkOff},
};

void setRole(QPalette &palette, QPalette::ColorRole role, const QColor &active, const QColor &disabled)
{
    palette.setColor(QPalette::Active, role, active);
    palette.setColor(QPalette::Inactive, role, active);
    palette.setColor(QPalette::Disabled, role, disabled);
}

QPalette themedPalette(bool dark, const QColor &accent)
{
    QPalette palette;
    for (const RoleColors &entry : kPaletteTable)
        setRole(palette, entry.role, QColor(dark ? entry.dark : entry.light),
                QColor(dark ? entry.darkDisabled : entry.lightDisabled));
    // The accent marks selection and links; on dark it is dimmed for the
    // selection and brightened for links to keep their contrast, and it is
    // shaded where the selected text would not read on it, with a margin for
    // the faint tint of a focus frame drawn over a selected row.
    const QColor disabledHighlight(dark ? 0x3A413F : 0xC4CBC8);
    setRole(palette, QPalette::Highlight,
            Contrast::readable(dark ? accent.darker(110) : accent, {palette.color(QPalette::HighlightedText)},
                               4.8),
            disabledHighlight);
    setRole(palette, QPalette::Link, dark ? accent.lighter(150) : accent.darker(115), accent);
    setRole(palette, QPalette::LinkVisited, dark ? accent.lighter(120) : accent.darker(140), accent);
    return palette;
}

QFont fontFor(int role, const QVariant &weightOverride, bool italic)
{
    QFont font = baseFont();
    const qreal size = basePointSize() * clampScale(AppState::fontScale()) / 100.0;
    auto sized = [&](qreal delta, int weight) {
        font.setPointSizeF(qMax<qreal>(size + delta, 1.0));
        font.setWeight(QFont::Weight(weight));
    };
    switch (role) {
    case 1:
        sized(0, 500);
        break;
    case 2:
        sized(-2, QFont::Normal);
        font.setPointSizeF(qMax<qreal>(size - 2, 7.0));
        break;
    case 3:
        sized(1, 500);
        break;
    case 4:
        sized(4, 600);
        break;
    case 5:
        sized(8, 600);
        break;
    case 6:
        sized(14, 700);
        break;
    case 7:
        font.setFamily(QStringLiteral("monospace"));
        font.setStyleHint(QFont::Monospace);
        font.setFixedPitch(true);
        sized(0, QFont::Normal);
        break;
    default:
        sized(0, QFont::Normal);
        break;
    }
    bool ok = false;
    const int weight = weightOverride.toInt(&ok);
    if (weightOverride.isValid() && ok && weight >= 100 && weight <= 900)
        font.setWeight(QFont::Weight(weight));
    if (italic)
        font.setItalic(true);
    return font;
}

void refont(QWidget *widget)
{
    const QVariant role = widget->property("brioFontRole");
    if (!role.isValid())
        return;
    widget->setFont(fontFor(role.toInt(), widget->property("brioFontWeight"),
                            widget->property("brioFontItalic").toBool()));
}

} // namespace

ThemeManager::ThemeManager(PreferencesRepository *preferences, QObject *parent)
    : QObject(parent)
    , m_preferences(preferences)
    // Captured before any palette of ours replaces it: "System" follows it.
    , m_platformPalette(QApplication::palette())
{
    baseFont();
    // Fusion draws the palettes below faithfully on every platform.
    if (hasWidgets())
        QApplication::setStyle(new ThemeStyle);
}

QString ThemeManager::themeName(Theme theme)
{
    switch (theme) {
    case Theme::Light:
        return QStringLiteral("light");
    case Theme::Dark:
        return QStringLiteral("dark");
    case Theme::System:
        break;
    }
    return QStringLiteral("system");
}

void ThemeManager::setTheme(const QString &name)
{
    if (name == QLatin1String("light"))
        m_theme = Theme::Light;
    else if (name == QLatin1String("dark"))
        m_theme = Theme::Dark;
    else
        m_theme = Theme::System;
    applyPalette();
    if (m_preferences)
        m_preferences->set(PreferenceKeys::Theme, themeName(m_theme));
    emit themeChanged(m_theme);
}

bool ThemeManager::isDark() const
{
    if (m_theme == Theme::System)
        return paletteIsDark(m_platformPalette);
    return m_theme == Theme::Dark;
}

void ThemeManager::setAccentColor(const QColor &color)
{
    if (!color.isValid())
        return;
    AppState::accentColor() = color;
    if (m_preferences)
        m_preferences->set(PreferenceKeys::AccentColor, color.name());
    applyPalette();
    const QString sheet = accentButtonStyleSheet();
    const auto widgets = QApplication::allWidgets();
    for (QWidget *widget : widgets) {
        if (widget->property("brioAccentButton").toBool())
            widget->setStyleSheet(sheet);
    }
    emit accentChanged(color);
}

void ThemeManager::setFontScale(int percent)
{
    AppState::fontScale() = clampScale(percent);
    if (m_preferences)
        m_preferences->setInt(PreferenceKeys::FontScale, AppState::fontScale());
    applyPalette();
    refontWidgets();
    emit fontScaleChanged(AppState::fontScale());
}

int ThemeManager::fontScale() const
{
    return clampScale(AppState::fontScale());
}

QFont ThemeManager::font(int role) const
{
    return roleFont(role);
}

QFont ThemeManager::roleFont(int role)
{
    return fontFor(role, QVariant(), false);
}

void ThemeManager::applyPalette()
{
    if (!hasWidgets())
        return;
    const QColor accent =
        AppState::accentColor().isValid() ? AppState::accentColor() : QColor(0x00, 0x89, 0x7B);
    QApplication::setPalette(isDark() ? darkPalette(accent) : lightPalette(accent));
    QApplication::setFont(fontFor(0, QVariant(), false));
}

void ThemeManager::refontWidgets()
{
    const auto widgets = QApplication::allWidgets();
    for (QWidget *widget : widgets)
        refont(widget);
}

bool ThemeManager::paletteIsDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

QColor ThemeManager::negativeColor()
{
    return themedText(QColor(0xC6, 0x28, 0x28), QColor(0xFF, 0x8A, 0x80));
}

QColor ThemeManager::positiveColor()
{
    return themedText(QColor(0x2E, 0x7D, 0x32), QColor(0x66, 0xBB, 0x6A));
}

QColor ThemeManager::mutedColor()
{
    return readableText(QColor(0x6E, 0x8A, 0x7E));
}

QColor ThemeManager::readableText(const QColor &color)
{
    const QPalette palette = QApplication::palette();
    return Contrast::readable(color, {palette.color(QPalette::Window), palette.color(QPalette::Base),
                                      palette.color(QPalette::AlternateBase)});
}

QColor ThemeManager::themedText(const QColor &light, const QColor &dark)
{
    return readableText(paletteIsDark(QApplication::palette()) ? dark : light);
}

QColor ThemeManager::edgeColor(const QPalette &palette)
{
    // A little over 3:1, so that the shade survives Fusion's rounding.
    return Contrast::readable(
        palette.color(QPalette::Mid),
        {palette.color(QPalette::Window), palette.color(QPalette::Base), palette.color(QPalette::Button)},
        3.2);
}

QString ThemeManager::textColorStyleSheet(const QColor &color)
{
    return QStringLiteral("color: %1;").arg(color.name());
}

QString ThemeManager::accentButtonStyleSheet()
{
    const QColor chosen =
        AppState::accentColor().isValid() ? AppState::accentColor() : QColor(0x00, 0x89, 0x7B);
    const QColor text = chosen.lightness() > 170 ? QColor(0x1A, 0x1A, 0x1A) : QColor(Qt::white);
    const QColor accent = Contrast::readable(chosen, {text});
    return QStringLiteral("QPushButton { background-color: %1; color: %2; border: 1px solid %3;"
                          " border-radius: 4px; padding: 5px 16px; }"
                          "QPushButton:hover { background-color: %4; }"
                          "QPushButton:pressed { background-color: %3; }"
                          "QPushButton:disabled { background-color: %5; color: %6; }")
        .arg(accent.name(), text.name(), accent.darker(125).name(), accent.lighter(112).name(),
             mix(accent, QColor(0x80, 0x80, 0x80), 0.6).name(),
             mix(text, QColor(0x80, 0x80, 0x80), 0.5).name());
}

QPalette ThemeManager::lightPalette(const QColor &accent)
{
    return themedPalette(false, accent);
}

QPalette ThemeManager::darkPalette(const QColor &accent)
{
    return themedPalette(true, accent);
}

void applyFontRole(QWidget *widget, int role)
{
    if (!widget)
        return;
    widget->setProperty("brioFontRole", qBound(0, role, ThemeManager::RoleCount - 1));
    refont(widget);
}

void applyFontRole(QWidget *widget, int role, int weight)
{
    if (!widget)
        return;
    widget->setProperty("brioFontWeight", weight);
    applyFontRole(widget, role);
}

void applyAccentButton(QWidget *widget)
{
    if (!widget)
        return;
    widget->setProperty("brioAccentButton", true);
    widget->setStyleSheet(ThemeManager::accentButtonStyleSheet());
}
