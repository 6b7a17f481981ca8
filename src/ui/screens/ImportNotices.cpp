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
    m_qifOrderRow = row(this, &orderLayout);
    // Each QIF file keeps the order it was read in; with several, the box names the one shown.
    m_qifFileCombo = new QComboBox(this);
    m_qifFileCombo->setObjectName(QStringLiteral("qifFileCombo"));
    connect(m_qifFileCombo, &QComboBox::currentIndexChanged, this, &ImportNotices::showQifOrder);
    m_qifOrderCombo = new QComboBox(this);
    m_qifOrderCombo->setObjectName(QStringLiteral("qifDateOrderCombo"));
    m_qifOrderCombo->addItem(tr("Month first (M/D/Y)"), false);
    m_qifOrderCombo->addItem(tr("Day first (D/M/Y)"), true);
    connect(m_qifOrderCombo, &QComboBox::activated, this, [this]() {
        emit qifDateOrderChosen(m_qifFileCombo->currentData().toInt(),
                                m_qifOrderCombo->currentData().toBool());
    });
    auto *orderLabel = new QLabel(tr("QIF &dates:"), this);
    orderLabel->setBuddy(m_qifOrderCombo);
    orderLayout->addWidget(orderLabel);
    orderLayout->addWidget(m_qifFileCombo);
    orderLayout->addWidget(m_qifOrderCombo);
    orderLayout->addStretch(1);
    layout->addWidget(m_qifOrderRow);

    m_orderNotice = wrappingLabel(this);
    layout->addWidget(m_orderNotice);

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

    for (QWidget *widget :
         {m_qifOrderRow, static_cast<QWidget *>(m_orderNotice), m_suggestionRow, m_categoryRow})
        widget->hide();
}

void ImportNotices::showQifOrder()
{
    m_qifOrderCombo->setCurrentIndex(m_qifOrderCombo->findData(m_qifFileCombo->currentData(DayFirstRole)));
}

bool ImportNotices::createsCategories() const
{
    return !m_categoryRow->isHidden() && m_createCategories->isChecked();
}

QStringList ImportNotices::showQifFiles(const ImportPreview &preview)
{
    QStringList before;
    for (int i = 0; i < m_qifFileCombo->count(); ++i)
        before.append(m_qifFileCombo->itemText(i));
    const QString shownFile = m_qifFileCombo->currentText();
    m_qifFileCombo->blockSignals(true);
    m_qifFileCombo->clear();
    QStringList names;
    QStringList ambiguous;
    for (int i = 0; i < preview.formats.size(); ++i) {
        const ImportFileFormat &format = preview.formats.at(i);
        if (!format.qif)
            continue;
        names.append(preview.fileNames.value(i));
        m_qifFileCombo->addItem(names.constLast(), i);
        m_qifFileCombo->setItemData(m_qifFileCombo->count() - 1, format.dayFirst, DayFirstRole);
        if (format.orderAmbiguous)
            ambiguous.append(names.constLast());
    }
    // The same files keep the one shown; other files open on one the notice names.
    const QString wanted = names == before || ambiguous.isEmpty() ? shownFile : ambiguous.constFirst();
    m_qifFileCombo->setCurrentIndex(std::max(0, m_qifFileCombo->findText(wanted)));
    m_qifFileCombo->blockSignals(false);
    m_qifFileCombo->setVisible(names.size() > 1);
    m_qifOrderRow->setVisible(!names.isEmpty());
    showQifOrder();
    return ambiguous;
}

void ImportNotices::showPreview(const ImportPreview &preview)
{
    const QStringList ambiguous = showQifFiles(preview);
    m_orderNotice->setText(
        tr("The dates in %1 fit both month-first and day-first order. Check the dates below "
           "and choose the QIF date order.")
            .arg(ambiguous.join(QStringLiteral(", "))));
    m_orderNotice->setVisible(!ambiguous.isEmpty());

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
    m_createCategories->setText(tr("Create %n new categor(y/ies)", nullptr, unknown));
    m_categoryRow->setVisible(unknown > 0);
}
