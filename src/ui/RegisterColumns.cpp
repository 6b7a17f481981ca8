#include "RegisterColumns.h"

#include "Money.h"
#include "RegisterModel.h"
#include "SettingsKeys.h"

#include <QEvent>
#include <QHeaderView>
#include <QScopedValueRollback>
#include <QSettings>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QTimer>
#include <QtNumeric>
#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace {

// Room around a cell's text: the delegate's padding on both sides and some air.
constexpr int kCellAir = 16;
// A drag of a heading's edge is written once the user has let go of it for this long.
constexpr int kSaveDelayMs = 500;
// How narrow a text column gets when not even the text columns' minimums fit.
constexpr int kTightest = 36;
// However small the amounts so far, a few thousand fit (9,999.99; ¥999,999),
// so that the next amount typed rarely needs a wider column.
constexpr qint64 kTypicalMinor = 999999;

// In the order they get room.
constexpr RegisterColumns::TextColumn kTextColumns[] = {{RegisterModel::PayeeColumn, 12, 200},
                                       {RegisterModel::CategoryColumn, 10, 170},
                                       {RegisterModel::MemoColumn, 6, 150}};

// Figures of rows a peer wrote may lie anywhere in the range: no overflow here.
qint64 negated(qint64 amount)
{
    return amount == std::numeric_limits<qint64>::min() ? std::numeric_limits<qint64>::max() : -amount;
}

qint64 shifted(qint64 balance, qint64 shift)
{
    qint64 result = 0;
    if (qAddOverflow(balance, shift, &result))
        return shift > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return result;
}

// Those that give width to the text columns in a narrow window, first to last.
constexpr int kGivingWay[] = {RegisterModel::CheckColumn,   RegisterModel::DateColumn,
                              RegisterModel::ClearedColumn, RegisterModel::DepositColumn,
                              RegisterModel::PaymentColumn, RegisterModel::BalanceColumn};

bool isTextColumn(int column)
{
    return column == RegisterModel::PayeeColumn || column == RegisterModel::CategoryColumn ||
           column == RegisterModel::MemoColumn;
}

} // namespace

RegisterColumns::RegisterColumns(QTableView *view)
    : QObject(view)
    , m_view(view)
{
    QHeaderView *header = m_view->horizontalHeader();
    header->setMinimumSectionSize(kTightest);
    m_saveTimer = new QTimer(this);
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(kSaveDelayMs);
    connect(m_saveTimer, &QTimer::timeout, this, &RegisterColumns::save);
    connect(header, &QHeaderView::sectionResized, this,
            [this](int column, int, int size) { onSectionResized(column, size); });
    // The sorted column's heading shows its indicator: it may need more room.
    connect(header, &QHeaderView::sortIndicatorChanged, this, [this]() { fit(); });
    connect(header, &QHeaderView::sectionMoved, this, [this]() {
        if (!m_fitting)
            userChanged();
    });
    m_viewport = m_view->viewport();
    m_viewport->installEventFilter(this);
    m_view->installEventFilter(this);
}

void RegisterColumns::restore()
{
    QHeaderView *header = m_view->horizontalHeader();
    QSettings settings;
    const QByteArray state = settings.value(SettingsKeys::RegisterHeaderState.name()).toByteArray();
    const QScopedValueRollback<bool> fitting(m_fitting, true);
    if (!state.isEmpty())
        header->restoreState(state);
    // The widths of the state are those last shown; what the user asked for is kept apart.
    const QVariantMap widths = settings.value(SettingsKeys::RegisterColumnWidths.name()).toMap();
    for (auto it = widths.cbegin(); it != widths.cend(); ++it) {
        bool ok = false;
        const int column = it.key().toInt(&ok);
        const int width = it.value().toInt();
        if (ok && column >= 0 && column < RegisterModel::ColumnCount && width > 0 && width <= 4000)
            m_userWidths.insert(column, width);
    }
    for (int column = 0; column < RegisterModel::ColumnCount; ++column)
        header->setSectionResizeMode(column, QHeaderView::Interactive);
    header->setSectionResizeMode(RegisterModel::ClearedColumn, QHeaderView::Fixed);
}

void RegisterColumns::measureFigures(const QList<RegisterRow> &rows, Currency currency)
{
    qint64 payment = kTypicalMinor;
    qint64 deposit = kTypicalMinor;
    qint64 high = kTypicalMinor;
    qint64 low = 0;
    const auto *model = qobject_cast<const RegisterModel *>(m_view->model());
    const QFontMetrics metrics = m_view->fontMetrics();
    // Each category, transfer direction or split is measured once. The rows
    // of one read share one string per distinct text: a text is known again
    // by where its characters lie, mostly from a small table in front of the
    // full set, without hashing it for every row. Equal texts held apart are
    // only measured twice.
    struct Seen
    {
        const QChar *text = nullptr;
        qsizetype size = -1;
        int kind = -1;
    };
    std::array<Seen, 256> recent{};
    QHash<const QChar *, qsizetype> seen[3];
    // Splits, and those of them that are incoming transfers.
    bool splitSeen[2] = {};
    bool uncategorisedSeen = false;
    int category = 0;
    auto measure = [&](const Transaction &t, const QString &name) {
        category = qMax(category, metrics.horizontalAdvance(model->categoryText(t, name)));
    };
    auto firstSight = [&](int kind, const QString &text) {
        const QChar *data = text.constData();
        Seen &slot = recent[((quintptr(data) >> 4) * 3 + kind) % recent.size()];
        if (slot.text == data && slot.size == text.size() && slot.kind == kind)
            return false;
        slot = {data, text.size(), kind};
        const auto found = seen[kind].constFind(data);
        if (found != seen[kind].cend() && *found == text.size())
            return false;
        seen[kind].insert(data, text.size());
        return true;
    };
    for (const RegisterRow &row : rows) {
        const Transaction &t = row.transaction;
        payment = qMax(payment, negated(t.amount));
        deposit = qMax(deposit, t.amount);
        high = qMax(high, row.balance);
        low = qMin(low, row.balance);
        if (!model)
            continue;
        if (t.isSplit) {
            if (!std::exchange(splitSeen[!t.transferDestAccountId.isEmpty() && t.amount > 0], true))
                measure(t, row.categoryName);
        } else if (!t.transferDestAccountId.isEmpty()) {
            if (firstSight(t.amount > 0 ? 1 : 2, t.transferDestAccountId))
                measure(t, row.categoryName);
        } else if (row.categoryName.isEmpty()) {
            // Measured once, as the first such row shows it.
            if (!std::exchange(uncategorisedSeen, true))
                measure(t, row.categoryName);
        } else if (firstSight(0, row.categoryName)) {
            measure(t, row.categoryName);
        }
    }
    const bool otherCurrency = currency != m_currency;
    const bool otherCategory = std::exchange(m_categoryText, category) != category;
    m_currency = currency;
    if (!setFigures(payment, deposit, high, low) && (otherCurrency || otherCategory))
        fit();
}

void RegisterColumns::widenFigures(qint64 amount, qint64 balanceShift)
{
    setFigures(qMax(m_payment, negated(amount)), qMax(m_deposit, amount),
               qMax(m_high, shifted(m_high, balanceShift)), qMin(m_low, shifted(m_low, balanceShift)));
}

bool RegisterColumns::setFigures(qint64 payment, qint64 deposit, qint64 high, qint64 low)
{
    if (payment == m_payment && deposit == m_deposit && high == m_high && low == m_low)
        return false;
    m_payment = payment;
    m_deposit = deposit;
    m_high = high;
    m_low = low;
    fit();
    return true;
}

void RegisterColumns::setColumnHidden(int column, bool hidden)
{
    const QScopedValueRollback<bool> fitting(m_fitting, true);
    m_view->setColumnHidden(column, hidden);
}

int RegisterColumns::contentWidth(int column) const
{
    const QFontMetrics metrics = m_view->fontMetrics();
    int text = 0;
    switch (column) {
    case RegisterModel::DateColumn:
        text = metrics.horizontalAdvance(QStringLiteral("00/00/0000"));
        break;
    case RegisterModel::CheckColumn:
        // Five digits, as long as the check numbers people write.
        text = metrics.horizontalAdvance(QStringLiteral("00000"));
        break;
    case RegisterModel::ClearedColumn:
        text = kTightest - kCellAir;
        break;
    case RegisterModel::PaymentColumn:
        text = metrics.horizontalAdvance(Money::formatPlain(m_payment, m_currency));
        break;
    case RegisterModel::DepositColumn:
        text = metrics.horizontalAdvance(Money::formatPlain(m_deposit, m_currency));
        break;
    case RegisterModel::BalanceColumn:
        text = qMax(metrics.horizontalAdvance(Money::format(m_high, m_currency)),
                    metrics.horizontalAdvance(Money::format(m_low, m_currency)));
        break;
    default:
        break;
    }
    return text + kCellAir;
}

int RegisterColumns::headingWidth(int column) const
{
    const QHeaderView *header = m_view->horizontalHeader();
    if (column == header->sortIndicatorSection())
        return header->sectionSizeHint(column);
    QStyleOptionHeader option;
    option.initFrom(header);
    option.section = column;
    option.orientation = Qt::Horizontal;
    option.text = header->model() ? header->model()->headerData(column, Qt::Horizontal).toString() : QString();
    return header->style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header).width();
}

QList<RegisterColumns::TextColumn> RegisterColumns::shownTextColumns() const
{
    QList<TextColumn> shown;
    for (const TextColumn &text : kTextColumns) {
        if (!m_view->horizontalHeader()->isSectionHidden(text.column))
            shown.append(text);
    }
    return shown;
}

int RegisterColumns::wantedWidth(const TextColumn &text) const
{
    int wanted = qMax(text.preferred, m_view->horizontalHeader()->sectionSizeHint(text.column));
    // A long category ("Transfer to Savings Account") is shown whole where
    // the room allows, up to twice the column's usual width.
    if (text.column == RegisterModel::CategoryColumn)
        wanted = qMax(wanted, qMin(m_categoryText + kCellAir, 2 * text.preferred));
    return m_userWidths.value(text.column, wanted);
}

int RegisterColumns::minimumWidth(const TextColumn &text) const
{
    return qMin(wantedWidth(text), m_view->fontMetrics().averageCharWidth() * text.minimumChars + kCellAir);
}

void RegisterColumns::fitText(int *widths, int room) const
{
    QList<TextColumn> shown = shownTextColumns();
    if (shown.isEmpty())
        return;
    // Each gets a readable minimum first, then, in order, what it would like;
    // the first (the payee) takes whatever is left over.
    int left = room;
    for (const TextColumn &text : std::as_const(shown)) {
        widths[text.column] = minimumWidth(text);
        left -= widths[text.column];
    }
    if (left < 0) {
        // Too narrow even so: the memo gives way first, the payee last.
        for (auto it = shown.crbegin(); it != shown.crend() && left < 0; ++it) {
            const int give = qMin(-left, qMax(0, widths[it->column] - kTightest));
            widths[it->column] -= give;
            left += give;
        }
        return;
    }
    // A width the user dragged comes before the others' wishes, so that it
    // holds where it was let go.
    const int takesTheRest = shown.constFirst().column;
    std::stable_partition(shown.begin(), shown.end(),
                          [this](const TextColumn &text) { return m_userWidths.contains(text.column); });
    for (const TextColumn &text : std::as_const(shown)) {
        const int add = qBound(0, wantedWidth(text) - widths[text.column], left);
        widths[text.column] += add;
        left -= add;
    }
    widths[takesTheRest] += left;
}

void RegisterColumns::fit()
{
    // Before the first showing the viewport has no width of its own yet.
    if (!m_view->isVisible())
        return;
    QHeaderView *header = m_view->horizontalHeader();
    int widths[RegisterModel::ColumnCount] = {};
    int floors[RegisterModel::ColumnCount] = {};
    int room = m_view->viewport()->width();
    for (int column = 0; column < RegisterModel::ColumnCount; ++column) {
        if (header->isSectionHidden(column) || isTextColumn(column))
            continue;
        // Dates and figures are never cut: the user may only widen these.
        floors[column] = contentWidth(column);
        widths[column] = std::max({floors[column], header->sectionSizeHint(column), m_userWidths.value(column)});
        room -= widths[column];
    }
    // Short of room for the text columns, the others give way: first the room
    // their headings keep for a sort indicator that only the sorted column
    // shows; then, if not even the text columns' minimums fit, heading text,
    // down to what their figures need.
    int wanted = 0;
    int needed = 0;
    for (const TextColumn &text : shownTextColumns()) {
        wanted += wantedWidth(text);
        needed += minimumWidth(text);
    }
    for (const int column : kGivingWay) {
        const int heading = qMax(floors[column], headingWidth(column));
        const int give = qBound(0, wanted - room, widths[column] - heading);
        widths[column] -= give;
        room += give;
    }
    for (const int column : kGivingWay) {
        const int give = qBound(0, needed - room, widths[column] - floors[column]);
        widths[column] -= give;
        room += give;
    }
    fitText(widths, room);
    const QScopedValueRollback<bool> fitting(m_fitting, true);
    for (int column = 0; column < RegisterModel::ColumnCount; ++column) {
        if (!header->isSectionHidden(column) && header->sectionSize(column) != widths[column])
            header->resizeSection(column, widths[column]);
    }
}

void RegisterColumns::onSectionResized(int column, int size)
{
    if (m_fitting || size <= 0)
        return;
    // The user dragged a heading's edge. The payee's own edge is left where
    // it was let go; it takes what the others leave at the next fit.
    m_userWidths.insert(column, size);
    if (column != RegisterModel::PayeeColumn)
        fit();
    userChanged();
}

void RegisterColumns::userChanged()
{
    m_changed = true;
    m_saveTimer->start();
}

void RegisterColumns::save()
{
    m_saveTimer->stop();
    if (!std::exchange(m_changed, false))
        return;
    QVariantMap widths;
    for (auto it = m_userWidths.cbegin(); it != m_userWidths.cend(); ++it)
        widths.insert(QString::number(it.key()), it.value());
    QSettings settings;
    settings.setValue(SettingsKeys::RegisterHeaderState.name(), m_view->horizontalHeader()->saveState());
    settings.setValue(SettingsKeys::RegisterColumnWidths.name(), widths);
}

bool RegisterColumns::eventFilter(QObject *watched, QEvent *event)
{
    // The viewport as it was when watched: while the view is destroyed its
    // children still send events, and the view can no longer be asked.
    if ((watched == m_viewport && event->type() == QEvent::Resize) ||
        (watched == m_view && (event->type() == QEvent::Show || event->type() == QEvent::FontChange)))
        fit();
    return QObject::eventFilter(watched, event);
}
