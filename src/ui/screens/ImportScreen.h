#pragma once

#include "ImportService.h"

#include <QWidget>

class AppState;
class ImportPreviewModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

// The import window: the user picks CSV and QIF files, maps the CSV columns,
// chooses (or makes) the target account, reviews the rows that will be
// written, with likely duplicates left unticked and unreadable rows listed,
// and imports the ticked rows in one go.
class ImportScreen : public QWidget
{
    Q_OBJECT
public:
    // The preference that keeps the CSV mapping and date format of the last import.
    static constexpr auto SettingsKey = "importCsvSettings";

    explicit ImportScreen(AppState *app, QWidget *parent = nullptr);

    // Reads the files and adds those not listed yet; the "Add Files..." button
    // asks for them.
    void addFiles(const QStringList &paths);
    void clearFiles();
    // Re-reads the accounts offered as target, keeping the chosen one.
    void reload();
    // Opens the account form and makes the new account the target.
    void createTargetAccount();
    // Writes the ticked rows into the target account.
    void importTicked();

    QString targetAccountId() const;
    void setTargetAccountId(const QString &id);
    CsvSettings csvSettings() const;

    ImportPreviewModel *previewModel() const { return m_model; }
    QListWidget *problemList() const { return m_problems; }
    QLabel *statusLabel() const { return m_status; }

signals:
    // Rows were written; the main window refreshes its register and sidebar.
    void transactionsImported(int count);

private:
    void buildUi();
    QComboBox *addColumnCombo(const QString &objectName);
    void chooseFiles();
    void applySettings(const CsvSettings &settings);
    void fillColumnCombos();
    void updateCsvControls();
    void rebuildPreview();
    void updateImportButton();

    AppState *m_app = nullptr;
    ImportService *m_service = nullptr;
    ImportPreviewModel *m_model = nullptr;
    QList<ImportFile> m_files;

    QLabel *m_filesLabel = nullptr;
    QComboBox *m_accountCombo = nullptr;
    QWidget *m_csvBox = nullptr;
    QComboBox *m_delimiterCombo = nullptr;
    QCheckBox *m_headerCheck = nullptr;
    QComboBox *m_dateFormatCombo = nullptr;
    QCheckBox *m_decimalCommaCheck = nullptr;
    QComboBox *m_dateColumn = nullptr;
    QComboBox *m_payeeColumn = nullptr;
    QComboBox *m_memoColumn = nullptr;
    QComboBox *m_amountColumn = nullptr;
    QComboBox *m_paymentColumn = nullptr;
    QComboBox *m_depositColumn = nullptr;
    QComboBox *m_checkNumberColumn = nullptr;
    QComboBox *m_categoryColumn = nullptr;
    QTableView *m_table = nullptr;
    QListWidget *m_problems = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_importButton = nullptr;
    bool m_updating = false;
};
