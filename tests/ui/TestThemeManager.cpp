#include "Contrast.h"
#include "PreferencesRepository.h"
#include "TestApp.h"
#include "ThemeManager.h"
#include "support/PreferenceKeyProbe.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestThemeManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void themes_data();
    void themes();
    void systemFollowsThePlatformPalette();
    void fontRoles_data();
    void fontRoles();
    void fontScaleClampsStoresAndRefonts_data();
    void fontScaleClampsStoresAndRefonts();
    void accentColourRestylesAccentButtons();
    void nullWidgetsAreIgnored();

private:
    std::unique_ptr<TestApp> m_test;
};

void TestThemeManager::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
    AppState::fontScale() = 100;
}

void TestThemeManager::cleanup()
{
    m_test.reset();
}

void TestThemeManager::themes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("theme");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("dark");
    QTest::newRow("dark") << "dark" << int(ThemeManager::Theme::Dark) << "dark" << true;
    QTest::newRow("light") << "light" << int(ThemeManager::Theme::Light) << "light" << false;
    QTest::newRow("unknown is system") << "sepia" << int(ThemeManager::Theme::System) << "system" << false;
}

void TestThemeManager::themes()
{
    QFETCH(QString, name);
    QFETCH(int, theme);
    QFETCH(QString, stored);
    QFETCH(bool, dark);

    ThemeManager manager(m_test->app()->preferences());
    QSignalSpy changed(&manager, &ThemeManager::themeChanged);
    QSignalSpy preference(m_test->app()->preferences(), &PreferencesRepository::changed);
    manager.setTheme(name);
    QCOMPARE(int(manager.theme()), theme);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_test->app()->preferences()->value(preferenceKey("theme")), stored);
    QVERIFY(preference.contains(QVariantList{QStringLiteral("theme")}));
    // The offscreen platform palette is light, so System comes out light here.
    const int lightness = QApplication::palette().color(QPalette::Window).lightness();
    QCOMPARE(lightness < 128, dark);
    QCOMPARE(manager.isDark(), dark);
    if (dark) {
        QVERIFY(QApplication::palette().color(QPalette::Text).lightness() > 160);
        QCOMPARE(ThemeManager::negativeColor(), QColor(QStringLiteral("#FF8A80")));
    } else {
        QCOMPARE(ThemeManager::negativeColor(), QColor(QStringLiteral("#C62828")));
    }
}

void TestThemeManager::systemFollowsThePlatformPalette()
{
    QApplication::setPalette(ThemeManager::darkPalette(Qt::red));
    {
        // Built while the platform palette is dark: System means dark.
        ThemeManager manager(nullptr);
        manager.setTheme(QStringLiteral("system"));
        QVERIFY(manager.isDark());
        QVERIFY(QApplication::palette().color(QPalette::Window).lightness() < 128);
    }
    QApplication::setPalette(ThemeManager::lightPalette(Qt::red));
    ThemeManager manager(nullptr);
    manager.setTheme(QStringLiteral("system"));
    QVERIFY(!manager.isDark());
}

void TestThemeManager::fontRoles_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<qreal>("delta");
    QTest::addColumn<int>("weight");
    QTest::newRow("0 body") << 0 << 0.0 << int(QFont::Normal);
    QTest::newRow("1 medium") << 1 << 0.0 << 500;
    QTest::newRow("2 small") << 2 << -2.0 << int(QFont::Normal);
    QTest::newRow("3 emphasised") << 3 << 1.0 << 500;
    QTest::newRow("4 heading") << 4 << 4.0 << 600;
    QTest::newRow("5 large") << 5 << 8.0 << 600;
    QTest::newRow("6 display") << 6 << 14.0 << 700;
}

void TestThemeManager::fontRoles()
{
    QFETCH(int, role);
    QFETCH(qreal, delta);
    QFETCH(int, weight);
    ThemeManager manager(nullptr);
    const qreal base = manager.font(0).pointSizeF();
    QVERIFY(base > 0);
    const QFont font = manager.font(role);
    QCOMPARE(font.pointSizeF(), role == 2 ? qMax<qreal>(base + delta, 7.0) : base + delta);
    QCOMPARE(int(font.weight()), weight);
    QCOMPARE(manager.font(7).family(), QStringLiteral("monospace"));
    QCOMPARE(manager.font(7).pointSizeF(), base);
}

void TestThemeManager::fontScaleClampsStoresAndRefonts_data()
{
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("applied");
    QTest::newRow("in range") << 120 << 120;
    QTest::newRow("too small") << 10 << 70;
    QTest::newRow("too large") << 500 << 160;
}

void TestThemeManager::fontScaleClampsStoresAndRefonts()
{
    QFETCH(int, requested);
    QFETCH(int, applied);
    ThemeManager manager(m_test->app()->preferences());
    QLabel heading;
    applyFontRole(&heading, 4);
    QLabel bold;
    bold.setProperty("brioFontItalic", true);
    applyFontRole(&bold, 0, 700);
    const qreal before = heading.font().pointSizeF();
    const qreal baseBefore = manager.font(0).pointSizeF();

    QSignalSpy changed(&manager, &ThemeManager::fontScaleChanged);
    manager.setFontScale(requested);
    QCOMPARE(manager.fontScale(), applied);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_test->app()->preferences()->value(preferenceKey("fontScale")), QString::number(applied));
    const qreal base = baseBefore * applied / 100.0;
    QCOMPARE(manager.font(0).pointSizeF(), base);
    QCOMPARE(heading.font().pointSizeF(), base + 4);
    QVERIFY(heading.font().pointSizeF() != before);
    QCOMPARE(int(bold.font().weight()), 700);
    QVERIFY(bold.font().italic());
}

void TestThemeManager::accentColourRestylesAccentButtons()
{
    ThemeManager manager(m_test->app()->preferences());
    QPushButton button;
    applyAccentButton(&button);
    QVERIFY(button.property("brioAccentButton").toBool());
    // The default teal carries white text at 4.5:1 only a shade darker.
    const QColor fill(button.styleSheet().section(QStringLiteral("background-color: "), 1).left(7));
    QVERIFY(Contrast::ratio(fill, Qt::white) >= 4.5 && qAbs(fill.hue() - AppState::accentColor().hue()) <= 2);

    QSignalSpy changed(&manager, &ThemeManager::accentChanged);
    manager.setAccentColor(QColor(QStringLiteral("#3949ab")));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(AppState::accentColor(), QColor(QStringLiteral("#3949ab")));
    QCOMPARE(m_test->app()->preferences()->value(preferenceKey("accentColor")), QStringLiteral("#3949ab"));
    QVERIFY(button.styleSheet().contains(QStringLiteral("#3949ab")));
    QCOMPARE(QApplication::palette().color(QPalette::Highlight).name(), QStringLiteral("#3949ab"));

    manager.setAccentColor(QColor());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(AppState::accentColor(), QColor(QStringLiteral("#3949ab")));
    AppState::accentColor() = QColor(QStringLiteral("#00897B"));
}

void TestThemeManager::nullWidgetsAreIgnored()
{
    applyFontRole(nullptr, 3);
    applyFontRole(nullptr, 3, 700);
    applyAccentButton(nullptr);
    QLabel label;
    applyFontRole(&label, 3);
    QCOMPARE(label.property("brioFontRole").toInt(), 3);
}

QTEST_MAIN(TestThemeManager)
#include "TestThemeManager.moc"
