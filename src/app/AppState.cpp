#include "AppState.h"

#include "AccountRepository.h"
#include "CategoryRepository.h"
#include "CategoryService.h"
#include "DataPaths.h"
#include "Database.h"
#include "MigrationRunner.h"
#include "Money.h"
#include "PreferencesRepository.h"
#include "ReconciliationRepository.h"
#include "RecurringRepository.h"
#include "RecurringService.h"
#include "SplitLineRepository.h"
#include "ThemeManager.h"
#include "TransactionRepository.h"

#include <QDebug>
#include <QLocale>

namespace {

const QString LastAccountKey = QStringLiteral("lastAccountId");

} // namespace

AppState::AppState(QObject *parent)
    : QObject(parent)
{
}

AppState::~AppState() = default;

QColor &AppState::accentColor()
{
    static QColor color(QStringLiteral("#00897B"));
    return color;
}

int &AppState::weekStartDay()
{
    static int day = int(QLocale::system().firstDayOfWeek());
    return day;
}

int &AppState::fontScale()
{
    static int percent = 100;
    return percent;
}

int AppState::fontScaleFromText(const QString &text)
{
    bool ok = false;
    const int percent = text.trimmed().toInt(&ok);
    return ok ? qBound(MinFontScale, percent, MaxFontScale) : 100;
}

bool AppState::initialize()
{
    if (m_database)
        return true;
    if (!openDatabase())
        return false;
    createRepositories();
    createServices();
    applyPreferences();
    // The look follows the font scale and accent colour just read.
    m_themeManager = new ThemeManager(m_preferences, this);
    m_themeManager->setTheme(m_preferences->value(QStringLiteral("theme"), QStringLiteral("system")));
    seedDefaultCategories();
    restoreLastAccount();
    emit databaseReady();
    return true;
}

bool AppState::openDatabase()
{
    m_dataDirectory = DataPaths::dataDirectory();
    auto *database = new Database(m_dataDirectory, this);
    if (!database->open()) {
        delete database;
        return false;
    }
    MigrationRunner migrations(database);
    if (!migrations.migrate()) {
        qCritical() << "AppState::initialize: migrating the database failed:" << migrations.lastError();
        delete database;
        return false;
    }
    m_database = database;
    return true;
}

void AppState::createRepositories()
{
    m_accounts = new AccountRepository(m_database, this);
    m_transactions = new TransactionRepository(m_database, this);
    m_splitLines = new SplitLineRepository(m_database, this);
    m_categories = new CategoryRepository(m_database, this);
    m_recurring = new RecurringRepository(m_database, this);
    m_reconciliations = new ReconciliationRepository(m_database, this);
    m_preferences = new PreferencesRepository(m_database, this);
}

void AppState::createServices()
{
    m_categoryService = new CategoryService(m_database, m_categories, this);
    m_recurringService = new RecurringService(m_database, m_recurring, m_transactions, m_accounts, this);
}

void AppState::applyPreferences()
{
    fontScale() = fontScaleFromText(m_preferences->value(QStringLiteral("fontScale"), QStringLiteral("100")));

    const QColor accent(m_preferences->value(QStringLiteral("accentColor"), QString()));
    if (accent.isValid())
        accentColor() = accent;

    Money::setAutoDecimal(m_preferences->getBool(QStringLiteral("amountAutoDecimal"), false));

    bool ok = false;
    const int day = m_preferences->value(QStringLiteral("weekStartDay"), QString()).toInt(&ok);
    weekStartDay() = ok && day >= 1 && day <= 7 ? day : int(QLocale::system().firstDayOfWeek());
}

void AppState::seedDefaultCategories()
{
    // The program works without them; the user can still add categories.
    if (!m_categoryService->seedDefaultCategories())
        qWarning() << "AppState::initialize: the default categories could not be written";
}

void AppState::restoreLastAccount()
{
    const QString id = m_preferences->value(LastAccountKey, QString());
    if (id.isEmpty())
        return;
    const std::optional<Account> account = m_accounts->findById(id);
    if (account && !account->deletedAt)
        m_currentAccountId = id;
}

void AppState::setCurrentAccountId(const QString &id)
{
    if (id == m_currentAccountId)
        return;
    m_currentAccountId = id;
    if (m_preferences)
        m_preferences->set(LastAccountKey, id);
}
