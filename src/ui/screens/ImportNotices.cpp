#include "ImportNotices.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The date order a QIF file of the file box was read in.
constexpr int DayFirstRole = Qt::UserRole + 1;

QLabel *wrappingLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

// A row of widgets without margins of its own.
template <typename Layout> QWidget *row(QWidget *parent, Layout **layout)
{
    auto *widget = new QWidget(parent);
    *layout = new Layout(widget);
    (*layout)->setContentsMargins(0, 0, 0, 0);
    return widget;
}

} // namespace

ImportNotices::ImportNotices(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    QHBoxLayout *orderLayout = nullptr;
    m_orderRow = row(this, &orderLayout);
    // Each file keeps the order it was read in; with several, the box names the one shown.
    m_orderFileCombo = new QComboBox(this);
    m_orderFileCombo->setObjectName(QStringLiteral("orderFileCombo"));
    connect(m_orderFileCombo, &QComboBox::currentIndexChanged, this, &ImportNotices::showFileOrder);
    m_orderCombo = new QComboBox(this);
    m_orderCombo->setObjectName(QStringLiteral("dateOrderCombo"));
    m_orderCombo->addItem(tr("Month first (M/D/Y)"), false);
    m_orderCombo->addItem(tr("Day first (D/M/Y)"), true);
    connect(m_orderCombo, &QComboBox::activated, this, [this]() {
        emit dateOrderChosen(m_orderFileCombo->currentData().toInt(), m_orderCombo->currentData().toBool());
    });
    auto *orderLabel = new QLabel(tr("&Date order:"), this);
    orderLabel->setBuddy(m_orderCombo);
    orderLayout->addWidget(orderLabel);
    orderLayout->addWidget(m_orderFileCombo);
    orderLayout->addWidget(m_orderCombo);
    orderLayout->addStretch(1);
    layout->addWidget(m_orderRow);

    m_orderNotice = wrappingLabel(this);
    m_orderNotice->setObjectName(QStringLiteral("dateOrderNotice"));
    layout->addWidget(m_orderNotice);
    m_encodingNotice = wrappingLabel(this);
    layout->addWidget(m_encodingNotice);

    QHBoxLayout *suggestionLayout = nullptr;
    m_suggestionRow = row(this, &suggestionLayout);
    m_suggestionLabel = wrappingLabel(this);
    auto *useButton = new QPushButton(tr("&Use These Settings"), this);
    useButton->setObjectName(QStringLiteral("useSuggestionButton"));
    connect(useButton, &QPushButton::clicked, this, [this]() {
        if (m_suggestion)
            emit suggestionAccepted(*m_suggestion);
    });
    suggestionLayout->addWidget(m_suggestionLabel, 1);
    suggestionLayout->addWidget(useButton);
    layout->addWidget(m_suggestionRow);

    QVBoxLayout *categoryLayout = nullptr;
    m_categoryRow = row(this, &categoryLayout);
    m_categoryLabel = wrappingLabel(this);
    m_createCategories = new QRadioButton(this);
    m_createCategories->setObjectName(QStringLiteral("createCategoriesRadio"));
    m_createCategories->setChecked(true);
    auto *without = new QRadioButton(tr("Import these rows &without a category"), this);
    without->setObjectName(QStringLiteral("withoutCategoriesRadio"));
    connect(m_createCategories, &QRadioButton::toggled, this, &ImportNotices::createsCategoriesChanged);
    categoryLayout->addWidget(m_categoryLabel);
    categoryLayout->addWidget(m_createCategories);
    categoryLayout->addWidget(without);
    layout->addWidget(m_categoryRow);

    for (QWidget *widget : {m_orderRow, static_cast<QWidget *>(m_orderNotice),
                            static_cast<QWidget *>(m_encodingNotice), m_suggestionRow, m_categoryRow})
        widget->hide();
}

void ImportNotices::showFileOrder()
{
    m_orderCombo->setCurrentIndex(m_orderCombo->findData(m_orderFileCombo->currentData(DayFirstRole)));
}

bool ImportNotices::createsCategories() const
{
    return !m_categoryRow->isHidden() && m_createCategories->isChecked();
}

QStringList ImportNotices::showOrderFiles(const ImportPreview &preview)
{
    QStringList before;
    for (int i = 0; i < m_orderFileCombo->count(); ++i)
        before.append(m_orderFileCombo->itemText(i));
    const QString shownFile = m_orderFileCombo->currentText();
    m_orderFileCombo->blockSignals(true);
    m_orderFileCombo->clear();
    QStringList names;
    QStringList ambiguous;
    QStringList notices;
    // QIF files, and CSV files while their order is in doubt (the CSV box sets it otherwise).
    for (int i = 0; i < preview.formats.size(); ++i) {
        const ImportFileFormat &format = preview.formats.at(i);
        if (!format.qif && !format.orderAmbiguous)
            continue;
        names.append(preview.fileNames.value(i));
        m_orderFileCombo->addItem(names.constLast(), i);
        m_orderFileCombo->setItemData(m_orderFileCombo->count() - 1, format.dayFirst, DayFirstRole);
        if (!format.orderAmbiguous)
            continue;
        ambiguous.append(names.constLast());
        notices.append(tr("The dates in %1 fit both month-first and day-first order and are read %2. Check "
                          "the dates below and choose the date order.")
                           .arg(names.constLast(),
                                format.dayFirst ? tr("day first (D/M/Y)") : tr("month first (M/D/Y)")));
    }
    // The same files keep the one shown; other files open on one the notice names.
    const QString wanted = names == before || ambiguous.isEmpty() ? shownFile : ambiguous.constFirst();
    m_orderFileCombo->setCurrentIndex(std::max(0, m_orderFileCombo->findText(wanted)));
    m_orderFileCombo->blockSignals(false);
    m_orderFileCombo->setVisible(names.size() > 1);
    m_orderRow->setVisible(!names.isEmpty());
    showFileOrder();
    return notices;
}

void ImportNotices::showPreview(const ImportPreview &preview)
{
    const QStringList notices = showOrderFiles(preview);
    m_orderNotice->setText(notices.join(QLatin1Char('\n')));
    m_orderNotice->setVisible(!notices.isEmpty());

    QStringList encodings;
    for (int i = 0; i < preview.formats.size(); ++i) {
        if (!preview.formats.at(i).encoding.isEmpty())
            encodings.append(tr("%1 is not UTF-8 text; it was read as %2.")
                                 .arg(preview.fileNames.value(i), preview.formats.at(i).encoding));
    }
    m_encodingNotice->setText(encodings.join(QLatin1Char('\n')));
    m_encodingNotice->setVisible(!encodings.isEmpty());

    m_suggestion = preview.suggestion;
    if (m_suggestion)
        m_suggestionLabel->setText(
            m_suggestion->decimalComma
                ? tr("These rows look like %1 with a decimal comma. Use these settings?")
                      .arg(m_suggestion->dateFormat)
                : tr("These rows look like %1. Use these settings?").arg(m_suggestion->dateFormat));
    m_suggestionRow->setVisible(m_suggestion.has_value());

    const int unknown = int(preview.unknownCategories.size());
    m_categoryLabel->setText(
        tr("These categories do not exist: %1").arg(preview.unknownCategories.join(QStringLiteral(", "))));
    setCategoriesToMake(preview.categoriesToMake);
    m_categoryRow->setVisible(unknown > 0);
}

void ImportNotices::setCategoriesToMake(int count)
{
    m_createCategories->setText(tr("Create %n new categor(y/ies)", nullptr, count));
}
