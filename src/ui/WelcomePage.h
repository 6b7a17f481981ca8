#pragma once

#include <QWidget>

class QVBoxLayout;

// Shown instead of the register while no account exists.
class WelcomePage : public QWidget
{
    Q_OBJECT
public:
    explicit WelcomePage(QWidget *parent = nullptr);

    // Where further first-run choices go, below the main button.
    QVBoxLayout *actionsLayout() const { return m_actions; }

    // Offered while signed out: an existing online account brings its records.
    void setSignInVisible(bool visible);

signals:
    void createAccountRequested();
    void signInRequested();

private:
    QVBoxLayout *m_actions = nullptr;
    QWidget *m_signIn = nullptr;
};
