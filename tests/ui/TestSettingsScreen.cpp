#include "AccountRepository.h"
#include "AccountService.h"
#include "ModalAnswerer.h"
#include "Money.h"
#include "PreferencesRepository.h"
#include "SettingsScreen.h"
#include "SyncEngine.h"
#include "TestApp.h"
#include "ThemeManager.h"
#include "TransactionRepository.h"
#include "ZipWriter.h"
#include "support/PreferenceKeyProbe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

void answerFileDialog(ModalAnswerer &answerer, const QString &path)
{
    // Typed into the dialog's own name field, as the user would.
    answerer.expectDialog<QDialog>([path](QDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
    });
}

} // namespace

class TestSettingsScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void buildingShowsStoredValuesAndWritesNothing();
    void controlWritesExactlyItsPreference_data();
    void controlWritesExactlyItsPreference();
    void accentSwatchStoresAndAppliesTheColour();
    void languageChoiceIsStoredOnce();
    void restoresAccountWithRowsDeletedWithIt();
    void exportThenImportThroughThePage();
    void importOfAFileThatIsNoBackupSaysWhy();
    void importNamesTheEntriesItSkipped();
    void signedOutHidesSyncAndSyncNowComesBack();

private:
    // Imports a file of these bytes in the first mode offered; the messages shown.
    QStringList importThroughThePage(const QByteArray &contents);

    std::unique_ptr<TestApp> m_app;
    std::unique_ptr<SettingsScreen> m_screen;
};

void TestSettingsScreen::init()
{
    m_app = std::make_unique<TestApp>();
    QVERIFY(m_app->isValid());
}

void TestSettingsScreen::cleanup()
{
    m_screen.reset();
    m_app.reset();
    Money::setAutoDecimal(false);
}

void TestSettingsScreen::buildingShowsStoredValuesAndWritesNothing()
{
    PreferencesRepository *prefs = m_app->app()->preferences();
    prefs->set(preferenceKey("theme"), QStringLiteral("sepia"));
    prefs->set(preferenceKey("weekStartDay"), QStringLiteral("6"));
    prefs->set(preferenceKey("registerTwoLine"), QStringLiteral("true"));
    prefs->set(preferenceKey("dashboardBalanceMode"), QStringLiteral("asOfToday"));
    m_app->app()->themeManager()->setFontScale(120);
    QSignalSpy changed(prefs, &PreferencesRepository::changed);

    m_screen = std::make_unique<SettingsScreen>(m_app->app());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_screen->findChild<QComboBox *>("themeCombo")->currentData().toString(),
             QStringLiteral("system"));
    QCOMPARE(m_screen->findChild<QComboBox *>("fontScaleCombo")->currentData().toInt(), 100);
    QCOMPARE(m_screen->findChild<QComboBox *>("weekStartCombo")->currentData().toInt(), 6);
    QCOMPARE(m_screen->findChild<QComboBox *>("balanceCombo")->currentData().toString(),
             QStringLiteral("asOfToday"));
    QVERIFY(m_screen->findChild<QCheckBox *>("twoLineCheck")->isChecked());
}

void TestSettingsScreen::controlWritesExactlyItsPreference_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QVariant>("choice");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::newRow("week start") << "weekStartCombo" << QVariant(1) << "weekStartDay"
                                << "1";
    QTest::newRow("balance") << "balanceCombo" << QVariant("cleared") << "dashboardBalanceMode"
                             << "cleared";
    QTest::newRow("two-line") << "twoLineCheck" << QVariant(true) << "registerTwoLine"
                              << "1";
    QTest::newRow("auto-decimal") << "autoDecimalCheck" << QVariant(true) << "amountAutoDecimal"
                                  << "1";
    QTest::newRow("newest first") << "newestFirstCheck" << QVariant(true) << "registerNewestFirst"
                                  << "1";
    QTest::newRow("theme") << "themeCombo" << QVariant("dark") << "theme"
                           << "dark";
    QTest::newRow("font scale") << "fontScaleCombo" << QVariant(130) << "fontScale"
                                << "130";
}

void TestSettingsScreen::controlWritesExactlyItsPreference()
{
    QFETCH(QString, control);
    QFETCH(QVariant, choice);
    QFETCH(QString, key);
    QFETCH(QString, stored);
    m_app->app()->preferences()->set(preferenceKey("weekStartDay"), QStringLiteral("7"));
    AppState::weekStartDay() = 7;
    m_screen = std::make_unique<SettingsScreen>(m_app->app());
    QSignalSpy changed(m_app->app()->preferences(), &PreferencesRepository::changed);

    if (auto *combo = m_screen->findChild<QComboBox *>(control))
        combo->setCurrentIndex(combo->findData(choice));
    else
        m_screen->findChild<QCheckBox *>(control)->setChecked(choice.toBool());

    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toString(), key);
    QCOMPARE(m_app->app()->preferences()->get(preferenceKey(key)), std::optional<QString>(stored));
    if (key == QLatin1String("weekStartDay"))
        QCOMPARE(AppState::weekStartDay(), 1);
    // Theme and font size apply at once, not at the next start.
    if (key == QLatin1String("amountAutoDecimal"))
        QVERIFY(Money::autoDecimal());
    if (key == QLatin1String("theme"))
        QCOMPARE(m_app->app()->themeManager()->theme(), ThemeManager::Theme::Dark);
    if (key == QLatin1String("fontScale"))
        QCOMPARE(m_app->app()->themeManager()->fontScale(), 130);
}

void TestSettingsScreen::accentSwatchStoresAndAppliesTheColour()
{
    m_screen = std::make_unique<SettingsScreen>(m_app->app());
    ModalAnswerer answerer;
    answerer.expectDialog<QDialog>(
        [](QDialog *dialog) {
            const auto swatches = dialog->findChildren<QPushButton *>();
            for (QPushButton *swatch : swatches) {
                if (swatch->toolTip() == QLatin1String("#3949ab"))
                    swatch->click();
            }
        },
        false);
    m_screen->findChild<QPushButton *>("accentSwatch")->click();
    QCOMPARE(answerer.pendingHandlers(), 0);
    QCOMPARE(m_app->app()->preferences()->get(preferenceKey("accentColor")),
             std::optional<QString>("#3949ab"));
    QCOMPARE(AppState::accentColor(), QColor(QStringLiteral("#3949AB")));
    QVERIFY(m_screen->findChild<QPushButton *>("accentSwatch")->styleSheet().contains("#3949ab"));
}

void TestSettingsScreen::languageChoiceIsStoredOnce()
{
    m_screen = std::make_unique<SettingsScreen>(m_app->app());
    auto *combo = m_screen->findChild<QComboBox *>("languageCombo");
    QCOMPARE(combo->currentData().toString(), QStringLiteral("system"));
    ModalAnswerer answerer;
    answerer.expectMessageBox(QMessageBox::Ok);
    combo->setCurrentIndex(combo->findData(QStringLiteral("es")));
    QCOMPARE(QSettings().value(QStringLiteral("ui/language")).toString(), QStringLiteral("es"));
    QCOMPARE(answerer.messages().size(), 1);
    // Choosing what is stored already asks nothing and writes nothing new.
    m_screen->onLanguageChanged(combo->findData(QStringLiteral("es")));
    QCOMPARE(answerer.unexpected(), QStringList());
    QCOMPARE(m_app->app()->preferences()->get(preferenceKey("ui/language")), std::nullopt);
}

void TestSettingsScreen::restoresAccountWithRowsDeletedWithIt()
{
    const Account account = m_app->addAccount(QStringLiteral("Gone"));
    const Transaction withIt =
        m_app->addTransaction(account.id, QDate(2024, 1, 2), QStringLiteral("With"), -100);
    const Transaction before =
        m_app->addTransaction(account.id, QDate(2024, 1, 3), QStringLiteral("Before"), -200);
    // Deleted on its own an hour before the account.
    QVERIFY(TestDatabase::exec(
        QStringLiteral("UPDATE transactions SET deleted_at = ? WHERE id = ?"),
        {QDateTime::currentDateTimeUtc().addSecs(-3600).toString(Qt::ISODate), before.id}));
    QVERIFY(m_app->app()->accountService()->deleteAccount(account.id));

    m_screen = std::make_unique<SettingsScreen>(m_app->app());
    m_screen->refresh();
    auto *list = m_screen->findChild<QListWidget *>("deletedAccountsList");
    auto *restore = m_screen->findChild<QPushButton *>("restoreAccountButton");
    QCOMPARE(list->count(), 1);
    QVERIFY(!restore->isEnabled());
    list->setCurrentRow(0);
    QVERIFY(restore->isEnabled());
    QSignalSpy restored(m_screen.get(), &SettingsScreen::deletedAccountRestored);
    restore->click();

    QCOMPARE(restored.count(), 1);
    QVERIFY(!m_app->app()->accounts()->findById(account.id)->deletedAt);
    QVERIFY(!m_app->app()->transactions()->findById(withIt.id)->deletedAt);
    QVERIFY(m_app->app()->transactions()->findById(before.id)->deletedAt);
    QCOMPARE(list->count(), 0);
    QVERIFY(m_screen->findChild<QWidget *>("deletedAccountsSection")->isHidden());
}

void TestSettingsScreen::exportThenImportThroughThePage()
{
    const Account account = m_app->addAccount(QStringLiteral("Checking"));
    const Transaction kept =
        m_app->addTransaction(account.id, QDate(2024, 1, 2), QStringLiteral("Bakery"), -100);
    m_screen = std::make_unique<SettingsScreen>(m_app->app());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("backup.zip"));

    ModalAnswerer answerer;
    answerFileDialog(answerer, path);
    answerer.expectMessageBox(QMessageBox::Ok);
    m_screen->findChild<QPushButton *>("exportBackupButton")->click();
    QCOMPARE(answerer.messages(), QStringList{QStringLiteral("Backup saved to:\n%1").arg(path)});
    QVERIFY(QFile::exists(path));

    QVERIFY(TestDatabase::exec(QStringLiteral("DELETE FROM transactions WHERE id = ?"), {kept.id}));
    const int categories = TestDatabase::scalar(QStringLiteral("SELECT COUNT(*) FROM categories")).toInt();
    answerFileDialog(answerer, path);
    answerer.expectDialog<QInputDialog>(
        [](QInputDialog *dialog) { dialog->setTextValue(QStringLiteral("Skip existing items")); });
    answerer.expectMessageBox(QMessageBox::Ok);
    QSignalSpy restored(m_screen.get(), &SettingsScreen::deletedAccountRestored);
    m_screen->findChild<QPushButton *>("importBackupButton")->click();
    QCOMPARE(answerer.messages().last(), QStringLiteral("Imported 1 items, skipped %1.").arg(categories + 1));
    QCOMPARE(restored.count(), 1);
    QCOMPARE(m_app->app()->transactions()->findById(kept.id)->payee, QStringLiteral("Bakery"));
    QCOMPARE(answerer.unexpected(), QStringList());
}

QStringList TestSettingsScreen::importThroughThePage(const QByteArray &contents)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("backup.zip"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        return {QStringLiteral("no file to import")};
    file.close();
    m_screen = std::make_unique<SettingsScreen>(m_app->app());
    ModalAnswerer answerer;
    answerFileDialog(answerer, path);
    answerer.expectDialog<QInputDialog>(nullptr);
    answerer.expectMessageBox(QMessageBox::Ok);
    m_screen->findChild<QPushButton *>("importBackupButton")->click();
    return answerer.messages();
}

void TestSettingsScreen::importOfAFileThatIsNoBackupSaysWhy()
{
    QCOMPARE(importThroughThePage("just some notes"),
             QStringList{QStringLiteral("Failed to open ZIP archive")});
}

void TestSettingsScreen::importNamesTheEntriesItSkipped()
{
    ZipWriter writer;
    writer.addFile(QStringLiteral("manifest.json"), "{\"version\": 1}");
    writer.addFile(QStringLiteral("accounts/ok.json"), "{\"id\": \"ok\", \"name\": \"Kept\"}");
    for (int i = 0; i < 23; ++i)
        writer.addFile(QStringLiteral("accounts/no-id-%1.json").arg(i, 2, 10, QLatin1Char('0')),
                       "{\"name\": \"A\"}");
    const QStringList lines = importThroughThePage(writer.finish()).value(0).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 24); // the counts, a blank line, "Not restored:", twenty entries, how many more
    QCOMPARE(lines.at(3), "accounts/no-id-00.json: the field \"id\" is missing, empty or not text, skipped");
    QCOMPARE(lines.last(), "... and 3 more");
}

void TestSettingsScreen::signedOutHidesSyncAndSyncNowComesBack()
{
    m_screen = std::make_unique<SettingsScreen>(m_app->app());
    m_screen->refresh();
    auto *status = m_screen->findChild<QLabel *>("accountStatus");
    QVERIFY(status->text().startsWith(QLatin1String("Not signed in.")));
    QVERIFY(m_screen->findChild<QLabel *>("syncStatus")->isHidden());
    auto *syncNow = m_screen->findChild<QPushButton *>("syncNowButton");
    QVERIFY(syncNow->parentWidget()->isHidden());

    // A sync that cannot start (no usable token) never reports Syncing: the
    // button must not stay disabled.
    syncNow->click();
    QCOMPARE(m_app->app()->syncEngine()->state(), SyncEngine::Idle);
    QVERIFY(syncNow->isEnabled());
    QCOMPARE(syncNow->text(), QStringLiteral("Sync Now"));
}

QTEST_MAIN(TestSettingsScreen)
#include "TestSettingsScreen.moc"
