#pragma once

#include "ImportService.h"

#include <QWidget>
#include <optional>

class AppState;
class ImportNotices;
class ImportPreviewModel;
class ImportPreviewReader;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableView;

// The import window: the user picks CSV and QIF files, maps the CSV columns,
// chooses (or makes) the target account, reviews the rows that will be
// written, with likely duplicates left unticked and unreadable rows listed,
// and imports the ticked rows in one go. Each file is read by its own rules:
// a QIF file by what it shows of its dates and amounts (the date order may be
// changed), a CSV file by the CSV settings (a CSV file whose dates fit both
// orders is named until the user chooses one). Large files are read in the
// background with a progress bar; the writing shows a cancellable progress
// dialog.
class ImportScreen : public QWidget
{
    Q_OBJECT
public:
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
    // Whether a large file's preview is still being read.
    bool isReading() const;

signals:
    // Rows were written; the main window refreshes its register and sidebar.
    void transactionsImported(int count);

private:
    void buildUi();
    QHBoxLayout *buildFilesRow();
    QHBoxLayout *buildTargetRow();
    QWidget *buildCsvBox();
    QFormLayout *buildFormatForm();
    QTableView *buildPreviewTable();
    QHBoxLayout *buildButtonRow();
    QComboBox *addColumnCombo(const QString &objectName);
    void chooseFiles();
    void applySettings(const CsvSettings &settings);
    void fillColumnCombos();
    QWidget *buildReadingRow();
    void updateCsvControls();
    void rebuildPreview();
    void showPreview(const ImportPreview &preview);
    void showProblems(const ImportPreview &preview);
    void cancelReading();
    void chooseDateOrder(int file, bool dayFirst);
    void useSuggestion(const CsvSuggestion &suggestion);
    void updateImportButton();

    AppState *m_app = nullptr;
    ImportService *m_service = nullptr;
    ImportPreviewModel *m_model = nullptr;
    ImportPreviewReader *m_reader = nullptr;
    QList<ImportFile> m_files;
    // What the preview needs of the database, read once until it changes.
    std::optional<ImportContext> m_context;
    QString m_contextAccountId;

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
    QWidget *m_readingRow = nullptr;
    QProgressBar *m_readingProgress = nullptr;
    ImportNotices *m_notices = nullptr;
    QTableView *m_table = nullptr;
    QListWidget *m_problems = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_importButton = nullptr;
    bool m_updating = false;
};
