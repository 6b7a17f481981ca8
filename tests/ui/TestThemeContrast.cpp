#include "AccountFormDialog.h"
#include "Contrast.h"
#include "MainWindow.h"
#include "ReconciliationScreen.h"
#include "SettingsScreen.h"
#include "TestApp.h"
#include "ThemeManager.h"

#include <QtTest>
#include <QtWidgets>

class TestThemeContrast : public QObject
{
    Q_OBJECT

private slots:
    void screensInBothThemes_data();
    void screensInBothThemes();
};

void TestThemeContrast::screensInBothThemes_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("theme");
    for (const char *screen : {"register", "account form", "reconciliation", "settings"})
        for (const char *theme : {"light", "dark"})
            QTest::addRow("%s, %s", screen, theme) << screen << theme;
    QTest::addRow("settings, dark after light") << "settings"
                                                << "light>dark"; // the window lives on
}

// Texts in the colours of their roles 4.5:1 against what they are drawn on;
// control edges (the left one) and check marks 3:1 as drawn.
void TestThemeContrast::screensInBothThemes()
{
    QFETCH(QString, screen);
    QFETCH(QString, theme);
    TestApp test;
    test.app()->themeManager()->setTheme(theme.section(QLatin1Char('>'), 0, 0));
    const Account account = test.addAccount(QStringLiteral("Checking"), -2500);
    test.addTransaction(account.id, QDate(2026, 3, 2), QStringLiteral("Grocer"), -4200, true);
    const std::map<QString, std::function<QWidget *()>> screens = {
        {"register", [&] { return new MainWindow(test.app()); }},
        {"account form", [&] { return new AccountFormDialog(account); }},
        {"reconciliation", [&] { return new ReconciliationScreen(test.app()); }},
        {"settings", [&] { return new SettingsScreen(test.app()); }}};
    const std::unique_ptr<QWidget> top(screens.at(screen)());
    if (auto *reconciliation = qobject_cast<ReconciliationScreen *>(top.get()))
        reconciliation->setAccount(account.id);
    top->resize(1000, 700);
    top->show();
    QVERIFY(QTest::qWaitForWindowExposed(top.get()));
    test.app()->themeManager()->setTheme(theme.section(QLatin1Char('>'), -1));
    QCoreApplication::processEvents();
    auto *pages = top->findChild<QListWidget *>(QStringLiteral("settingsNavigation"));
    for (int page = 0; page < (pages ? pages->count() : 1); ++page) {
        if (pages)
            pages->setCurrentRow(page);
        const QImage image = top->grab().toImage();
        const auto at = [&](const QWidget *w, const QRect &r) {
            return r.translated(w->mapTo(top.get(), QPoint()));
        };
        const auto text = [&](const QColor &colour, const QRect &r, const QString &what) {
            const double ratio = Contrast::ratio(colour, image.pixelColor(r.topLeft()));
            QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1 at %2").arg(what).arg(ratio)));
        };
        // A graphic by its strongest pixel against the area's first.
        const auto graphic = [&](const QRect &r, const QString &what) {
            double ratio = 1.0;
            for (int i = 0; i < r.width() * r.height(); ++i)
                ratio = std::max(ratio, Contrast::ratio(image.pixelColor(r.left() + i % r.width(),
                                                                         r.top() + i / r.width()),
                                                        image.pixelColor(r.topLeft())));
            QVERIFY2(ratio >= 3.0, qPrintable(QStringLiteral("%1 at %2").arg(what).arg(ratio)));
        };
        for (QWidget *w : top->findChildren<QWidget *>()) {
            if (!w->isVisible() || !w->isEnabled())
                continue;
            if (auto *label = qobject_cast<QLabel *>(w); label && !label->text().isEmpty())
                text(w->palette().color(w->foregroundRole()), at(w, w->rect()), label->text());
            const QRect middle = at(w, QRect(-4, w->height() / 2, 7, 1));
            auto *edit = qobject_cast<QLineEdit *>(w);
            if (qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w) ||
                (edit && edit->hasFrame()))
                graphic(middle, QStringLiteral("edge of ") + w->metaObject()->className());
            if (auto *box = qobject_cast<QCheckBox *>(w)) {
                const int size = box->style()->pixelMetric(QStyle::PM_IndicatorWidth);
                graphic(middle, QStringLiteral("box ") + box->text());
                if (box->isChecked())
                    graphic(at(w, QRect(2, (w->height() - size) / 2 + 2, size - 4, size - 4)), "tick");
            }
            auto *view = qobject_cast<QAbstractItemView *>(w);
            const int columns = view ? view->model()->columnCount() : 0;
            for (int cell = 0; view && cell < qMin(view->model()->rowCount(), 12) * columns; ++cell) {
                const QModelIndex index = view->model()->index(cell / columns, cell % columns);
                const QRect area = at(view->viewport(), view->visualRect(index)).adjusted(6, 2, -6, -2);
                const bool selected = view->selectionModel()->isSelected(index);
                const QVariant role = index.data(Qt::ForegroundRole);
                const QColor colour = role.isValid() ? role.value<QColor>()
                                                     : w->palette().color(selected ? QPalette::HighlightedText
                                                                                   : QPalette::Text);
                if (!index.data().toString().isEmpty() && area.intersects(at(w, w->rect())))
                    text(colour, area, index.data().toString());
                if (!index.data(Qt::DecorationRole).isNull())
                    graphic(area.adjusted(6, 0, view->iconSize().width() - area.width() + 8, 0), "icon");
            }
        }
    }
}

QTEST_MAIN(TestThemeContrast)
#include "TestThemeContrast.moc"
