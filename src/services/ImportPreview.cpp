#include "ImportPreview.h"

#include <algorithm>

namespace {

constexpr QChar kEnd = QChar(0x1F);

} // namespace

ImportPreviewRow ImportPreviewRow::from(const ImportRow &row, int file)
{
    ImportPreviewRow p;
    p.date = row.date;
    p.amount = row.amount;
    p.line = row.line;
    p.file = file;
    p.cleared = row.cleared;
    p.splits = row.splits;
    const QString *texts[TextCount] = {&row.payee,           &row.memo,       &row.checkNumber, &row.category,
                                       &row.transferAccount, &row.fileAccount};
    qsizetype size = 0;
    for (const QString *text : texts)
        size += text->size() + 1;
    p.texts.reserve(size);
    for (const QString *text : texts)
        p.texts.append(*text).append(kEnd);
    return p;
}

QString ImportPreviewRow::text(Text which) const
{
    qsizetype start = 0;
    for (int i = 0; i < which; ++i)
        start = texts.indexOf(kEnd, start) + 1;
    const qsizetype end = texts.indexOf(kEnd, start);
    if (start <= 0 && which > 0)
        return QString();
    return end < 0 ? QString() : texts.mid(start, end - start);
}

ImportRow ImportPreviewRow::row() const
{
    ImportRow row;
    row.line = line;
    row.date = date;
    row.amount = amount;
    row.cleared = cleared;
    row.splits = splits;
    row.payee = text(Payee);
    row.memo = text(Memo);
    row.checkNumber = text(CheckNumber);
    row.category = text(Category);
    row.transferAccount = text(TransferAccount);
    row.fileAccount = text(FileAccount);
    return row;
}

qsizetype ImportPreview::tickedCount() const
{
    return std::count_if(rows.begin(), rows.end(), [](const ImportPreviewRow &r) { return r.ticked; });
}
