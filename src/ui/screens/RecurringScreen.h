#pragma once

#include <QWidget>

class AppState;
class QLabel;
class QPoint;
class QPushButton;
class QTableView;
class QTimer;
class RecurringModel;

// The tool window listing every recurring transaction with its due state. The
// user posts occurrences (the selected one, all due today, the next seven
// days, or one ahead of time), skips one, and creates, edits or deletes
// schedules.
class RecurringScreen : public QWidget
{
    Q_OBJECT
public:
    explicit RecurringScreen(AppState *state, QWidget *parent = nullptr);

    // Reads the records and the due count again.
    void refresh();
    // Reads them again once, shortly, however many changes arrive meanwhile.
    void scheduleRefresh();

    QTableView *table() const { return m_table; }
    RecurringModel *model() const { return m_model; }
    QLabel *dueLabel() const { return m_dueLabel; }

public slots:
    void onContextMenu(const QPoint &pos);
    void showNewForm();
    void showEditForm(int row);
    void confirmSelected();
    void enterEarlySelected();
    void skipSelected();
    void deleteSelected();
    void confirmAllDue();
    void enterNextSevenDays();

signals:
    // Transactions were posted from this screen.
    void transactionsChanged();

private:
    QString currentId() const;
    // The actions on one record, found by id when they run; a record that is
    // gone by then is left alone.
    void editRecord(const QString &id);
    void confirmRecord(const QString &id);
    void enterEarly(const QString &id);
    void skipRecord(const QString &id);
    void deleteRecord(const QString &id);

    AppState *m_state = nullptr;
    QTableView *m_table = nullptr;
    RecurringModel *m_model = nullptr;
    QLabel *m_dueLabel = nullptr;
    QTimer *m_refreshTimer = nullptr;
};
