#pragma once

#include "Account.h"
#include "EntryChoices.h"
#include "SplitLine.h"
#include "Transaction.h"

#include <QDialog>

class AppState;
class QLabel;
class QTableWidget;
class QHBoxLayout;
class QVBoxLayout;

// Divides a transaction's amount over categories. Line amounts are typed in the
// direction of the transaction (a payment's lines as positive payments); their
// total becomes the transaction's amount (a reconciled one's must stay), and
// no lines at all make it an ordinary transaction again.
class SplitEditorDialog : public QDialog
{
    Q_OBJECT
public:
    SplitEditorDialog(AppState *app, const Transaction &transaction, const QList<SplitLine> &lines,
                      QWidget *parent = nullptr);

    // The lines as stored: signed like the transaction, zero lines left out.
    QList<SplitLine> lines() const;
    // What is still to be assigned, in minor units of the transaction's direction.
    qint64 remaining() const;
    int lineCount() const;
    // The lines' total in minor units of the transaction's direction.
    qint64 total() const;

    void addLine(const QString &categoryCode = QString(), const QString &memo = QString(), qint64 amount = 0);
    void removeLine(int row);
    // For a line: the amount in the transaction's direction, in minor units.
    void setLineAmount(int row, qint64 amount);

public slots:
    void accept() override;

private:
    void addHeading(QVBoxLayout *layout);
    QHBoxLayout *buildLineControls();
    qint64 lineAmount(int row) const;
    void updateTotals();

    AppState *m_app = nullptr;
    Transaction m_transaction;
    Account m_account;
    QList<EntryChoices::Choice> m_choices;
    QTableWidget *m_table = nullptr;
    QLabel *m_totalLabel = nullptr;
    QLabel *m_remainingLabel = nullptr;
    QLabel *m_changeLabel = nullptr;
};
