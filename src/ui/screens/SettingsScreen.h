#pragma once

#include <QColor>
#include <QIcon>
#include <QWidget>

class AppState;
class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QLabel;
class SettingsDataSyncPage;

// The preferences window: a navigation list of four categories beside their
// pages (General, Register, Data & Sync, About). Every control takes effect
// the moment it changes; each receives its stored value before its change
// signal is connected, so building the screen writes nothing.
class SettingsScreen : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsScreen(AppState *app, QWidget *parent = nullptr);

    // Re-reads the sign-in, sync and deleted-account state.
    void refresh();

signals:
    // After a deleted account was restored and after a backup import.
    void deletedAccountRestored();

public slots:
    void onCategoryChanged(int row);
    void onThemeChanged(int index);
    void onFontScaleChanged(int index);
    void onWeekStartChanged(int index);
    void onDashboardBalanceChanged(int index);
    void onLanguageChanged(int index);
    void onRegisterOrderChanged(bool checked);
    void onTwoLineModeChanged(bool checked);
    void onAutoDecimalChanged(bool checked);
    void onAccentChanged(const QColor &color);
    void openAccentDialog();
    void restoreSelectedAccount();

private:
    QWidget *buildGeneralPage();
    QWidget *buildRegisterPage();
    QWidget *buildDataSyncPage();
    QWidget *buildAboutPage();
    QWidget *makeSectionHeader(const QString &title, const QString &description);
    QWidget *makeSeparator();
    // Icons and colours of the navigation list, for the theme and accent in effect.
    void styleNavigation();
    static QIcon makeNavIcon(char16_t codePoint, const QColor &color, int size);
    static void styleColorSwatch(QPushButton *button, const QColor &color, bool selected);

    AppState *m_app = nullptr;
    QListWidget *m_nav = nullptr;
    QStackedWidget *m_pages = nullptr;
    QComboBox *m_themeCombo = nullptr;
    QPushButton *m_accentSwatch = nullptr;
    QComboBox *m_fontScaleCombo = nullptr;
    QComboBox *m_weekStartCombo = nullptr;
    QComboBox *m_balanceCombo = nullptr;
    QComboBox *m_languageCombo = nullptr;
    QCheckBox *m_newestFirst = nullptr;
    QCheckBox *m_twoLine = nullptr;
    QCheckBox *m_autoDecimal = nullptr;
    SettingsDataSyncPage *m_dataSync = nullptr;
    QLabel *m_versionLabel = nullptr;
};
