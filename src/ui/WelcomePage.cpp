#include "WelcomePage.h"

#include "ThemeManager.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

WelcomePage::WelcomePage(QWidget *parent)
    : QWidget(parent)
{
    auto *outer = new QVBoxLayout(this);
    outer->addStretch(2);

    auto *column = new QWidget(this);
    column->setMaximumWidth(520);
    auto *layout = new QVBoxLayout(column);
    layout->setSpacing(12);

    auto *title = new QLabel(tr("Welcome to Tallyfern"), column);
    applyFontRole(title, 6);
    title->setAlignment(Qt::AlignHCenter);
    layout->addWidget(title);

    auto *text =
        new QLabel(tr("Keep your check register on your own computer: record payments, deposits and "
                      "transfers, split them over categories, and see every account's balance at a "
                      "glance.\n\nStart by creating the account you use most, with the balance it has "
                      "today."),
                   column);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignHCenter);
    applyFontRole(text, 0);
    layout->addWidget(text);
    layout->addSpacing(8);

    m_actions = new QVBoxLayout;
    m_actions->setSpacing(8);
    auto *create = new QPushButton(tr("Create Your First Account"), column);
    create->setObjectName(QStringLiteral("createAccountButton"));
    applyAccentButton(create);
    applyFontRole(create, 3);
    create->setMinimumHeight(40);
    connect(create, &QPushButton::clicked, this, &WelcomePage::createAccountRequested);
    m_actions->addWidget(create);
    auto *signIn = new QPushButton(tr("Sign In to Your Tallowmere Account..."), column);
    signIn->setObjectName(QStringLiteral("signInButton"));
    signIn->setFlat(true);
    signIn->setCursor(Qt::PointingHandCursor);
    connect(signIn, &QPushButton::clicked, this, &WelcomePage::signInRequested);
    m_actions->addWidget(signIn);
    m_signIn = signIn;
    layout->addLayout(m_actions);

    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(column, 0);
    row->addStretch(1);
    outer->addLayout(row);
    outer->addStretch(3);
}

void WelcomePage::setSignInVisible(bool visible)
{
    m_signIn->setVisible(visible);
}
