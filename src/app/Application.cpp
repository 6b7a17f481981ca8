#include "Application.h"

#include "AppState.h"
#include "MessageOutput.h"

#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMessageBox>
#include <QSettings>
#include <QTranslator>

namespace {

const QStringList TranslatedLanguages = {QStringLiteral("en"), QStringLiteral("es"), QStringLiteral("de"),
                                         QStringLiteral("fr"), QStringLiteral("ja")};

const QString LanguageKey = QStringLiteral("ui/language");

bool addTranslator(QCoreApplication *app, const QString &fileName, const QString &directory)
{
    auto *translator = new QTranslator(app);
    if (!translator->load(fileName, directory)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
    , m_errorPresenter(
          [](const QString &title, const QString &text) { QMessageBox::critical(nullptr, title, text); })
{
    MessageOutput::install();
    setOrganizationName(QStringLiteral("Tallowmere"));
    setApplicationName(QStringLiteral("Tallyfern"));
    setApplicationVersion(QString::fromLatin1(Version));
    loadTranslations();
    setWindowIcon(QIcon(QStringLiteral(":/icons/icons/app_icon.png")));
    registerIconFont();
}

Application::~Application()
{
    delete m_mainWindow;
}

int Application::run()
{
    delete m_appState;
    m_appState = new AppState(this);
    if (!m_appState->initialize()) {
        const QString text = tr("Failed to initialize the database.\n\nData directory: %1\n\n"
                                "Please check file permissions and try again.")
                                 .arg(m_appState->dataDirectory());
        delete m_appState;
        m_appState = nullptr;
        m_errorPresenter(tr("Database Error"), text);
        return 1;
    }
    showMainWindow();
    return exec();
}

QString Application::resolveLanguage(bool resolveSystem)
{
    const QString stored = QSettings().value(LanguageKey, QStringLiteral("system")).toString();
    if (!resolveSystem || stored != QLatin1String("system"))
        return stored;
    const QString system = QLocale::system().name().left(2);
    return TranslatedLanguages.contains(system) ? system : QStringLiteral("en");
}

void Application::setLanguage(const QString &code)
{
    QSettings().setValue(LanguageKey, code);
}

void Application::setErrorPresenter(ErrorPresenter presenter)
{
    m_errorPresenter = std::move(presenter);
}

void Application::loadTranslations()
{
    const QString language = resolveLanguage(true);
    // Qt's own texts (standard buttons, context menus); not every language
    // ships one, and English needs none.
    const QString qtDirectory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!addTranslator(this, QStringLiteral("qt_") + language, qtDirectory))
        addTranslator(this, QStringLiteral("qtbase_") + language, qtDirectory);
    addTranslator(this, QStringLiteral("tallyfern_") + language, QStringLiteral(":/i18n"));
}

void Application::registerIconFont()
{
    if (QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/fonts/MaterialIcons-Regular.otf")) < 0)
        qWarning() << "Application: the icon font could not be registered";
}

void Application::showMainWindow()
{
    m_mainWindow = new QMainWindow;
    m_mainWindow->setWindowTitle(QStringLiteral("Tallyfern"));
    m_mainWindow->resize(1100, 720);
    m_mainWindow->show();
}
