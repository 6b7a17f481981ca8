#pragma once

#include "ImportPreview.h"

#include <QWidget>
#include <optional>

class QComboBox;
class QLabel;
class QRadioButton;

// What the import window says above its preview, each with its control: the
// date order of QIF files, and of CSV files whose dates fit both orders (until
// the user chooses one), the encoding of files that are not UTF-8, CSV
// settings that would read a file whose rows are mostly refused, and the
// choice for categories the files name that do not exist.
class ImportNotices : public QWidget
{
    Q_OBJECT
public:
    explicit ImportNotices(QWidget *parent = nullptr);

    // Shows what the preview's reading found; an empty preview hides every notice.
    void showPreview(const ImportPreview &preview);
    // The categories making them takes, as the rows ticked now ask.
    void setCategoriesToMake(int count);
    // Whether the unknown categories shown are to be made; false when none are shown.
    bool createsCategories() const;

signals:
    // `file` indexes the files of the preview shown.
    void dateOrderChosen(int file, bool dayFirst);
    void suggestionAccepted(const CsvSuggestion &suggestion);
    void createsCategoriesChanged(bool creates);

private:
    void showFileOrder();
    // Fills the file box of the date order; returns what the notice says of
    // the files whose dates fit both orders unconfirmed.
    QStringList showOrderFiles(const ImportPreview &preview);

    QWidget *m_orderRow = nullptr;
    QComboBox *m_orderFileCombo = nullptr;
    QComboBox *m_orderCombo = nullptr;
    QLabel *m_orderNotice = nullptr;
    QLabel *m_encodingNotice = nullptr;
    QWidget *m_suggestionRow = nullptr;
    QLabel *m_suggestionLabel = nullptr;
    std::optional<CsvSuggestion> m_suggestion;
    QWidget *m_categoryRow = nullptr;
    QLabel *m_categoryLabel = nullptr;
    QRadioButton *m_createCategories = nullptr;
};
