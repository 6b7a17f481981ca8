#include "ImportScreen.h"

#include "AccountFormDialog.h"
#include "AccountRepository.h"
#include "AccountService.h"
#include "AppState.h"
#include "CategoryRepository.h"
#include "CsvReader.h"
#include "ImportNotices.h"
#include "ImportPreviewModel.h"
#include "ImportPreviewReader.h"
#include "ImportReading.h"
#include "ImportValues.h"
#include "PlainMessage.h"
#include "PreferencesRepository.h"
#include "TransactionRepository.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The problems listed at most: a file read with the wrong settings may have a
// million, and a list item each would cost more than the file.
constexpr int kMaxProblemsShown = 1000;

void selectData(QComboBox *combo, const QVariant &value)
{
    const int index = combo->findData(value);
    combo->setCurrentIndex(index < 0 ? 0 : index);
}

bool hasKind(const QList<ImportFile> &files, ImportFile::Kind kind)
{
    return std::any_of(files.begin(), files.end(),
                       [kind](const ImportFile &f) { return f.error.isEmpty() && f.kind == kind; });
}

} // namespace

ImportScreen::ImportScreen(AppState *app, QWidget *parent)
    : QWidget(parent)
    , m_app(app)
{
    m_service = new ImportService(app->database(), app->accounts(), app->transactions(), app->categories(),
                                  app->transactionWriter(), this);
    m_model = new ImportPreviewModel(this);
    m_reader = new ImportPreviewReader(this);
    connect(m_reader, &ImportPreviewReader::finished, this, &ImportScreen::showPreview);
    buildUi();
    connect(m_reader, &ImportPreviewReader::progressChanged, m_readingProgress, &QProgressBar::setValue);
    // What the preview knows of the database is read again after a change.
    const auto forget = [this]() { m_context.reset(); };
    connect(app->accounts(), &AccountRepository::accountsChanged, this, forget);
    connect(app->categories(), &CategoryRepository::categoriesChanged, this, forget);
    connect(app->transactions(), &TransactionRepository::transactionsChanged, this, forget);
    applySettings(
        ImportService::settingsFromText(app->preferences()->value(PreferenceKeys::ImportCsvSettings)));
    reload();
    updateCsvControls();
    connect(m_model, &ImportPreviewModel::tickedChanged, this, &ImportScreen::updateImportButton);
    connect(m_model, &ImportPreviewModel::tickedChanged, this, [this]() {
        // Unticking the only row that names a category makes one less.
        if (m_context)
            m_notices->setCategoriesToMake(ImportReading::categoriesToMake(m_model->rows(), m_context->categories));
    });
    updateImportButton();
}

QComboBox *ImportScreen::addColumnCombo(const QString &objectName)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(objectName);
    connect(combo, &QComboBox::currentIndexChanged, this, &ImportScreen::rebuildPreview);
    return combo;
}

void ImportScreen::buildUi()
{
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buildFilesRow());
    layout->addLayout(buildTargetRow());
    layout->addWidget(buildCsvBox());
    layout->addWidget(buildReadingRow());
    m_notices = new ImportNotices(this);
    connect(m_notices, &ImportNotices::dateOrderChosen, this, &ImportScreen::chooseDateOrder);
    connect(m_notices, &ImportNotices::suggestionAccepted, this, &ImportScreen::useSuggestion);
    connect(m_notices, &ImportNotices::createsCategoriesChanged, m_model,
            &ImportPreviewModel::setCreatesCategories);
    layout->addWidget(m_notices);

    layout->addWidget(buildPreviewTable(), 3);

    layout->addWidget(new QLabel(tr("Rows that cannot be read:"), this));
    m_problems = new QListWidget(this);
    layout->addWidget(m_problems, 1);

    layout->addLayout(buildButtonRow());
}

QHBoxLayout *ImportScreen::buildFilesRow()
{
    auto *filesRow = new QHBoxLayout;
    auto *addButton = new QPushButton(tr("Add &Files..."), this);
    connect(addButton, &QPushButton::clicked, this, &ImportScreen::chooseFiles);
    auto *clearButton = new QPushButton(tr("C&lear"), this);
    connect(clearButton, &QPushButton::clicked, this, &ImportScreen::clearFiles);
    m_filesLabel = new QLabel(tr("No files chosen"), this);
    m_filesLabel->setTextFormat(Qt::PlainText);
    m_filesLabel->setWordWrap(true);
    filesRow->addWidget(addButton);
    filesRow->addWidget(clearButton);
    filesRow->addWidget(m_filesLabel, 1);
    return filesRow;
}

QHBoxLayout *ImportScreen::buildTargetRow()
{
    auto *targetRow = new QHBoxLayout;
    m_accountCombo = new QComboBox(this);
    m_accountCombo->setObjectName(QStringLiteral("accountCombo"));
    connect(m_accountCombo, &QComboBox::currentIndexChanged, this, &ImportScreen::rebuildPreview);
    auto *newAccountButton = new QPushButton(tr("New Account..."), this);
    newAccountButton->setObjectName(QStringLiteral("newAccountButton"));
    connect(newAccountButton, &QPushButton::clicked, this, &ImportScreen::createTargetAccount);
    auto *targetLabel = new QLabel(tr("&Target account:"), this);
    targetLabel->setBuddy(m_accountCombo);
    targetRow->addWidget(targetLabel);
    targetRow->addWidget(m_accountCombo, 1);
    targetRow->addWidget(newAccountButton);
    return targetRow;
}

// The CSV settings: formats on the left, the column of each field beside them.
QWidget *ImportScreen::buildCsvBox()
{
    auto *csvBox = new QGroupBox(tr("CSV columns and formats"), this);
    m_csvBox = csvBox;
    auto *csvLayout = new QHBoxLayout(csvBox);
    QFormLayout *formatForm = buildFormatForm();

    auto *columnsLeft = new QFormLayout;
    auto *columnsRight = new QFormLayout;
    m_dateColumn = addColumnCombo(QStringLiteral("dateColumn"));
    m_payeeColumn = addColumnCombo(QStringLiteral("payeeColumn"));
    m_memoColumn = addColumnCombo(QStringLiteral("memoColumn"));
    m_checkNumberColumn = addColumnCombo(QStringLiteral("checkNumberColumn"));
    m_amountColumn = addColumnCombo(QStringLiteral("amountColumn"));
    m_paymentColumn = addColumnCombo(QStringLiteral("paymentColumn"));
    m_depositColumn = addColumnCombo(QStringLiteral("depositColumn"));
    m_categoryColumn = addColumnCombo(QStringLiteral("categoryColumn"));
    columnsLeft->addRow(tr("Date:"), m_dateColumn);
    columnsLeft->addRow(tr("Payee:"), m_payeeColumn);
    columnsLeft->addRow(tr("Memo:"), m_memoColumn);
    columnsLeft->addRow(tr("Check number:"), m_checkNumberColumn);
    columnsRight->addRow(tr("Amount:"), m_amountColumn);
    columnsRight->addRow(tr("Payment:"), m_paymentColumn);
    columnsRight->addRow(tr("Deposit:"), m_depositColumn);
    columnsRight->addRow(tr("Category:"), m_categoryColumn);
    csvLayout->addLayout(formatForm);
    csvLayout->addLayout(columnsLeft);
    csvLayout->addLayout(columnsRight);
    return csvBox;
}

QFormLayout *ImportScreen::buildFormatForm()
{
    auto *formatForm = new QFormLayout;
    m_delimiterCombo = new QComboBox(this);
    m_delimiterCombo->setObjectName(QStringLiteral("delimiterCombo"));
    m_delimiterCombo->addItem(tr("Comma"), QStringLiteral(","));
    m_delimiterCombo->addItem(tr("Semicolon"), QStringLiteral(";"));
    m_delimiterCombo->addItem(tr("Tab"), QStringLiteral("\t"));
    connect(m_delimiterCombo, &QComboBox::currentIndexChanged, this, [this]() {
        fillColumnCombos();
        rebuildPreview();
    });
    m_headerCheck = new QCheckBox(tr("First row holds column names"), this);
    m_headerCheck->setObjectName(QStringLiteral("headerCheck"));
    connect(m_headerCheck, &QCheckBox::toggled, this, [this]() {
        fillColumnCombos();
        rebuildPreview();
    });
    m_dateFormatCombo = new QComboBox(this);
    m_dateFormatCombo->setObjectName(QStringLiteral("dateFormatCombo"));
    for (const QString &format : ImportValues::dateFormats())
        m_dateFormatCombo->addItem(format, format);
    connect(m_dateFormatCombo, &QComboBox::currentIndexChanged, this, [this]() {
        // A format the user picks is the order the CSV files are meant in.
        if (!m_updating) {
            for (ImportFile &file : m_files)
                file.csvOrderConfirmed = true;
        }
        rebuildPreview();
    });
    m_decimalCommaCheck = new QCheckBox(tr("Decimal comma (1.234,56)"), this);
    m_decimalCommaCheck->setObjectName(QStringLiteral("decimalCommaCheck"));
    connect(m_decimalCommaCheck, &QCheckBox::toggled, this, &ImportScreen::rebuildPreview);
    formatForm->addRow(tr("Delimiter:"), m_delimiterCombo);
    formatForm->addRow(QString(), m_headerCheck);
    formatForm->addRow(tr("Date format:"), m_dateFormatCombo);
    formatForm->addRow(QString(), m_decimalCommaCheck);
    return formatForm;
}

QTableView *ImportScreen::buildPreviewTable()
{
    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    QHeaderView *header = m_table->horizontalHeader();
    header->setStretchLastSection(true);
    // A translated heading may be wider than the default column: never cut it
    // off. Payees and memos get room to be read against the file.
    for (int column = 0; column < m_model->columnCount(); ++column) {
        const bool text = column == ImportPreviewModel::Payee || column == ImportPreviewModel::Memo;
        header->resizeSection(
            column, qMax(header->defaultSectionSize() * (text ? 3 : 2) / 2, header->sectionSizeHint(column)));
    }
    // Nor are amounts, dates and file lines cut off.
    for (const int column : {ImportPreviewModel::Import, ImportPreviewModel::Date, ImportPreviewModel::Amount,
                             ImportPreviewModel::File})
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    return m_table;
}

QHBoxLayout *ImportScreen::buildButtonRow()
{
    auto *buttons = new QHBoxLayout;
    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_importButton = new QPushButton(tr("&Import"), this);
    m_importButton->setObjectName(QStringLiteral("importButton"));
    connect(m_importButton, &QPushButton::clicked, this, &ImportScreen::importTicked);
    auto *closeButton = new QPushButton(tr("Close"), this);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_importButton);
    buttons->addWidget(closeButton);
    return buttons;
}

QWidget *ImportScreen::buildReadingRow()
{
    m_readingRow = new QWidget(this);
    auto *layout = new QHBoxLayout(m_readingRow);
    layout->setContentsMargins(0, 0, 0, 0);
    m_readingProgress = new QProgressBar(this);
    m_readingProgress->setRange(0, 100);
    auto *cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelReadingButton"));
    connect(cancelButton, &QPushButton::clicked, this, &ImportScreen::cancelReading);
    layout->addWidget(new QLabel(tr("Reading the files..."), this));
    layout->addWidget(m_readingProgress, 1);
    layout->addWidget(cancelButton);
    m_readingRow->hide();
    return m_readingRow;
}

void ImportScreen::chooseFiles()
{
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, tr("Import Files"), QString(), tr("Bank files (*.csv *.qif *.txt);;All files (*)"));
    if (!paths.isEmpty())
        addFiles(paths);
}

void ImportScreen::addFiles(const QStringList &paths)
{
    const bool hadCsv = hasKind(m_files, ImportFile::Kind::Csv);
    for (const QString &path : paths) {
        const bool listed = std::any_of(m_files.begin(), m_files.end(),
                                        [&path](const ImportFile &f) { return f.path == path; });
        if (!listed)
            m_files.append(ImportService::readFile(path));
    }
    // The first CSV file decides the delimiter; the user may change it.
    for (const ImportFile &file : std::as_const(m_files)) {
        if (!hadCsv && file.error.isEmpty() && file.kind == ImportFile::Kind::Csv) {
            m_updating = true;
            selectData(m_delimiterCombo, QString(CsvReader::detectDelimiter(file.text)));
            m_updating = false;
            break;
        }
    }
    QStringList names;
    for (const ImportFile &file : std::as_const(m_files))
        names.append(file.name);
    m_filesLabel->setText(names.isEmpty() ? tr("No files chosen") : names.join(QStringLiteral(", ")));
    m_status->clear();
    // The boxes name the columns of the files loaded now.
    fillColumnCombos();
    updateCsvControls();
    rebuildPreview();
}

void ImportScreen::clearFiles()
{
    m_files.clear();
    addFiles({});
}

bool ImportScreen::isReading() const
{
    return m_reader->isReading();
}

void ImportScreen::reload()
{
    const QString current = targetAccountId();
    m_updating = true;
    m_accountCombo->clear();
    for (const Account &account : m_app->accounts()->findAll())
        m_accountCombo->addItem(account.name, account.id);
    selectData(m_accountCombo, current);
    m_updating = false;
    rebuildPreview();
}

QString ImportScreen::targetAccountId() const
{
    return m_accountCombo->currentData().toString();
}

void ImportScreen::setTargetAccountId(const QString &id)
{
    selectData(m_accountCombo, id);
}

void ImportScreen::createTargetAccount()
{
    AccountFormDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const Account account = dialog.account();
    if (account.name.isEmpty())
        return;
    if (!m_app->accountService()->createAccount(account, dialog.asOfDate(), tr("Opening Balance"))) {
        QMessageBox::warning(this, tr("New Account"), tr("The account could not be created."));
        return;
    }
    reload();
    setTargetAccountId(account.id);
}

void ImportScreen::applySettings(const CsvSettings &s)
{
    m_updating = true;
    selectData(m_delimiterCombo, QString(s.delimiter));
    m_headerCheck->setChecked(s.hasHeader);
    selectData(m_dateFormatCombo, s.dateFormat);
    m_decimalCommaCheck->setChecked(s.decimalComma);
    // Kept on the combos until the columns are known.
    const QList<QPair<QComboBox *, int>> columns{{m_dateColumn, s.dateColumn},
                                                 {m_payeeColumn, s.payeeColumn},
                                                 {m_memoColumn, s.memoColumn},
                                                 {m_amountColumn, s.amountColumn},
                                                 {m_paymentColumn, s.paymentColumn},
                                                 {m_depositColumn, s.depositColumn},
                                                 {m_checkNumberColumn, s.checkNumberColumn},
                                                 {m_categoryColumn, s.categoryColumn}};
    for (int i = 0; i < columns.size(); ++i) {
        const auto &[combo, column] = columns.at(i);
        combo->clear();
        combo->setProperty("wantedColumn", column);
        combo->setProperty("wantedName", s.columnNames.value(i));
    }
    m_updating = false;
    fillColumnCombos();
}

void ImportScreen::fillColumnCombos()
{
    QStringList names;
    for (const ImportFile &file : std::as_const(m_files)) {
        if (file.error.isEmpty() && file.kind == ImportFile::Kind::Csv) {
            // The first lines are enough to name the columns.
            names = CsvReader::columnNames(CsvReader::parse(file.text.left(65536), csvSettings().delimiter),
                                           m_headerCheck->isChecked());
            break;
        }
    }
    const bool wasUpdating = m_updating;
    m_updating = true;
    const QList<QComboBox *> combos{m_dateColumn,    m_payeeColumn,   m_memoColumn,        m_amountColumn,
                                    m_paymentColumn, m_depositColumn, m_checkNumberColumn, m_categoryColumn};
    QList<int> wanted;
    QStringList wantedNames;
    for (QComboBox *combo : combos) {
        // The column the box shows, or the one remembered while no file named any.
        const bool shown = combo->count() > 0;
        const int column = shown ? combo->currentData().toInt() : combo->property("wantedColumn").toInt();
        wanted.append(column);
        wantedNames.append(shown ? (column >= 0 ? combo->currentText() : QString())
                                 : combo->property("wantedName").toString());
        combo->clear();
        combo->setProperty("wantedColumn", column);
        combo->setProperty("wantedName", wantedNames.constLast());
    }
    if (!names.isEmpty()) {
        // By name when the file has it; else by position, when the file has
        // that column and no other box takes it; else none.
        QList<int> chosen(combos.size(), -1);
        for (int i = 0; i < combos.size(); ++i)
            chosen[i] = wantedNames.at(i).isEmpty() ? -1 : int(names.indexOf(wantedNames.at(i)));
        for (int i = 0; i < combos.size(); ++i) {
            if (chosen.at(i) < 0 && wanted.at(i) >= 0 && wanted.at(i) < names.size() &&
                !chosen.contains(wanted.at(i)))
                chosen[i] = wanted.at(i);
        }
        for (int i = 0; i < combos.size(); ++i) {
            combos.at(i)->addItem(tr("(none)"), -1);
            for (int column = 0; column < names.size(); ++column)
                combos.at(i)->addItem(names.at(column), column);
            selectData(combos.at(i), chosen.at(i));
        }
    }
    m_updating = wasUpdating;
}

CsvSettings ImportScreen::csvSettings() const
{
    CsvSettings s;
    const QString delimiter = m_delimiterCombo->currentData().toString();
    s.delimiter = delimiter.isEmpty() ? QLatin1Char(',') : delimiter.front();
    s.hasHeader = m_headerCheck->isChecked();
    s.dateFormat = m_dateFormatCombo->currentData().toString();
    s.decimalComma = m_decimalCommaCheck->isChecked();
    const auto column = [](QComboBox *combo) {
        return combo->count() > 0 ? combo->currentData().toInt() : combo->property("wantedColumn").toInt();
    };
    for (QComboBox *combo : {m_dateColumn, m_payeeColumn, m_memoColumn, m_amountColumn, m_paymentColumn,
                             m_depositColumn, m_checkNumberColumn, m_categoryColumn})
        s.columnNames.append(combo->count() == 0  ? combo->property("wantedName").toString()
                             : column(combo) >= 0 ? combo->currentText()
                                                  : QString());
    s.dateColumn = column(m_dateColumn);
    s.payeeColumn = column(m_payeeColumn);
    s.memoColumn = column(m_memoColumn);
    s.amountColumn = column(m_amountColumn);
    s.paymentColumn = column(m_paymentColumn);
    s.depositColumn = column(m_depositColumn);
    s.checkNumberColumn = column(m_checkNumberColumn);
    s.categoryColumn = column(m_categoryColumn);
    return s;
}

void ImportScreen::updateCsvControls()
{
    m_csvBox->setEnabled(hasKind(m_files, ImportFile::Kind::Csv));
}

void ImportScreen::rebuildPreview()
{
    if (m_updating)
        return;
    const QString accountId = targetAccountId();
    if (!m_context || m_contextAccountId != accountId) {
        m_context = m_service->context(accountId);
        m_contextAccountId = accountId;
    }
    m_reader->start(m_files, csvSettings(), *m_context);
    // A large file shows its progress until its rows arrive; the rows of the
    // last reading go at once, so that two large previews are never held, and
    // so do its notices and problems, found with other settings.
    if (m_reader->isReading()) {
        m_model->setPreview(ImportPreview(), m_model->currency());
        m_notices->showPreview(ImportPreview());
        showProblems(ImportPreview());
        m_readingRow->show();
        m_importButton->setEnabled(false);
    }
}

void ImportScreen::showPreview(const ImportPreview &preview)
{
    m_readingRow->hide();
    const std::optional<Account> account =
        m_contextAccountId.isEmpty() ? std::nullopt : m_app->accounts()->findById(m_contextAccountId);
    m_notices->showPreview(preview);
    showProblems(preview);
    m_model->setPreview(preview, account ? account->currency : Currency::USD);
    updateImportButton();
}

void ImportScreen::showProblems(const ImportPreview &preview)
{
    m_problems->clear();
    for (const ImportFile &file : std::as_const(m_files)) {
        if (!file.error.isEmpty())
            m_problems->addItem(file.error);
    }
    const qsizetype shown = std::min<qsizetype>(preview.problems.size(), kMaxProblemsShown);
    for (qsizetype i = 0; i < shown; ++i) {
        const ImportProblem &problem = preview.problems.at(i);
        m_problems->addItem(
            tr("%1, line %2: %3").arg(problem.fileName).arg(problem.line).arg(problem.reason));
    }
    if (preview.problems.size() > shown)
        m_problems->addItem(tr("... and %n more", nullptr, int(preview.problems.size() - shown)));
}

void ImportScreen::cancelReading()
{
    m_reader->cancel();
    m_readingRow->hide();
    m_model->setPreview(ImportPreview(), Currency::USD);
    m_status->setText(tr("Reading was cancelled."));
}

void ImportScreen::chooseDateOrder(int file, bool dayFirst)
{
    if (file < 0 || file >= m_files.size())
        return;
    if (m_files.at(file).kind == ImportFile::Kind::Csv) {
        // CSV files share the settings' order; this file's dates have now been seen in it.
        m_files[file].csvOrderConfirmed = true;
        m_updating = true;
        selectData(m_dateFormatCombo, ImportValues::dateFormats().at(dayFirst ? 1 : 0));
        m_updating = false;
        rebuildPreview();
        return;
    }
    // The order of one file: another QIF file keeps what its own dates show.
    m_files[file].qifDayFirst = dayFirst;
    rebuildPreview();
}

void ImportScreen::useSuggestion(const CsvSuggestion &suggestion)
{
    m_updating = true;
    selectData(m_dateFormatCombo, suggestion.dateFormat);
    m_decimalCommaCheck->setChecked(suggestion.decimalComma);
    m_updating = false;
    rebuildPreview();
}

void ImportScreen::updateImportButton()
{
    m_importButton->setEnabled(m_model->tickedCount() > 0 && !targetAccountId().isEmpty() &&
                               !m_reader->isReading());
}

void ImportScreen::importTicked()
{
    const QString accountId = targetAccountId();
    if (accountId.isEmpty() || m_model->tickedCount() == 0 || m_reader->isReading())
        return;
    // Its own reference to the rows: the dialog lets events through while it writes.
    const ImportPreview preview = m_model->preview();
    QProgressDialog progress(tr("Importing transactions..."), tr("Cancel"), 0, m_model->tickedCount(), this);
    // Every window waits: an edit made elsewhere meanwhile would join the
    // import's transaction and be taken back by its Cancel.
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    const ImportResult result = m_service->importRows(accountId, preview, m_notices->createsCategories(),
                                                      [&progress](int written, int) {
                                                          progress.setValue(written);
                                                          return !progress.wasCanceled();
                                                      });
    progress.reset();
    if (result.cancelled) {
        m_status->setText(tr("The import was cancelled; nothing was written."));
        return;
    }
    if (!result.ok) {
        PlainMessage::show(this, QMessageBox::Warning, tr("Import"), result.error);
        return;
    }
    if (hasKind(m_files, ImportFile::Kind::Csv))
        m_app->preferences()->set(PreferenceKeys::ImportCsvSettings,
                                  ImportService::settingsToText(csvSettings()));
    const QString imported = tr("Imported %n transaction(s)", nullptr, result.imported);
    m_status->setText(
        result.categoriesCreated > 0
            ? tr("%1 and made %n new categor(y/ies)", nullptr, result.categoriesCreated).arg(imported)
            : imported);
    emit transactionsImported(result.imported);
    // What was just written now shows as duplicates: a second click adds nothing.
    m_context.reset();
    rebuildPreview();
}
