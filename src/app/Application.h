#pragma once

#include "AppInfo.h"
#include "FeedbackConfig.h"
#include "UpdateConfig.h"

#include "Database.h"

#include <QApplication>
#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

class AppState;
class QMainWindow;
class TerminationSignals;

namespace BrioUpdate {
class StartupUpdates;
}

// The process: logging, names, translations, icon and icon font, then the
// service container and the main window.
class Application : public QApplication
{
    Q_OBJECT

public:
    // Shows a start-up failure to the user. Tests replace it to read the text
    // instead of facing a modal message box.
    using ErrorPresenter = std::function<void(const QString &title, const QString &text)>;

    Application(int &argc, char **argv);
    ~Application() override;

    // Builds the AppState and the main window and runs the event loop. Returns
    // 1 without entering the loop when the database cannot be set up.
    int run();

    // The platform setting SettingsKeys::Language (default "system"). With resolveSystem,
    // "system" becomes the system locale's language when it is one the program
    // is translated into, else "en".
    static QString resolveLanguage(bool resolveSystem);
    // Takes effect at the next start.
    static void setLanguage(const QString &code);

    // The update server's channel directory and the feedback page. UPDATE_BASE_URL
    // and FEEDBACK_BASE_URL, when set and non-empty, replace the built-in servers.
    static BrioUpdate::UpdateConfig updateConfig();
    static BrioUpdate::FeedbackConfig feedbackConfig();

    // The reason shown with "Database Error"; empty when there is nothing
    // more to say than the message itself.
    static QString problemText(Database::Problem problem);

    void setErrorPresenter(ErrorPresenter presenter);
    AppState *appState() const { return m_appState; }
    QMainWindow *mainWindow() const { return m_mainWindow; }

private:
    // One program per data directory. False when another one holds it.
    bool lockDataDirectory();
    // "Failed to initialize the database." with the data directory and the
    // AppState's problem.
    QString databaseErrorText() const;
    void loadTranslations();
    void registerIconFont();
    void showMainWindow();
    void startUpdateSteps();
    // What Quit saves, for ends that do not pass through closing the window:
    // SIGTERM and SIGINT, the session's end, the event loop's. Nothing on a
    // file found damaged, which takes no more writes.
    void saveBeforeEnd();

    AppState *m_appState = nullptr;
    // No parent: a top-level window. Deleted by our destructor, before the
    // AppState it uses goes with the other children.
    QMainWindow *m_mainWindow = nullptr;
    ErrorPresenter m_errorPresenter;
    BrioUpdate::StartupUpdates *m_startupUpdates = nullptr;
    std::unique_ptr<QLockFile> m_instanceLock;
    TerminationSignals *m_termination = nullptr;
};
