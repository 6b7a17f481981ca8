#include "SettingsStyle.h"

#include "ThemeManager.h"

#include <QFormLayout>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QVBoxLayout>

namespace SettingsStyle {

bool isDark()
{
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

QString pick(const char *light, const char *dark)
{
    return QString::fromLatin1(isDark() ? dark : light);
}

void mute(QWidget *label)
{
    label->setProperty("settingsMuted", true);
    label->setStyleSheet(ThemeManager::textColorStyleSheet(ThemeManager::mutedColor()));
}

namespace {

void styleSeparator(QWidget *line)
{
    line->setProperty("settingsSeparator", true);
    line->setStyleSheet(QStringLiteral("color: %1;").arg(pick("#D8E0DB", "#2A4038")));
}

} // namespace

void restyle(QWidget *root)
{
    const auto widgets = root->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (widget->property("settingsMuted").toBool())
            mute(widget);
        else if (widget->property("settingsSeparator").toBool())
            styleSeparator(widget);
    }
}

QVBoxLayout *beginPage(QWidget *page, const QString &title, int titleSpace)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(8);
    auto *label = new QLabel(title, page);
    applyFontRole(label, 4);
    layout->addWidget(label);
    layout->addSpacing(titleSpace);
    return layout;
}

QWidget *sectionHeader(const QString &title, const QString &description, QWidget *parent)
{
    auto *header = new QWidget(parent);
    auto *layout = new QVBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 8);
    auto *titleLabel = new QLabel(title, header);
    applyFontRole(titleLabel, 3);
    layout->addWidget(titleLabel);
    if (!description.isEmpty()) {
        auto *descriptionLabel = new QLabel(description, header);
        descriptionLabel->setWordWrap(true);
        applyFontRole(descriptionLabel, 2);
        mute(descriptionLabel);
        layout->addWidget(descriptionLabel);
    }
    return header;
}

QWidget *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    styleSeparator(line);
    return line;
}

void addSeparatorBlock(QVBoxLayout *layout, QWidget *parent)
{
    layout->addSpacing(16);
    layout->addWidget(separator(parent));
    layout->addSpacing(12);
}

QFormLayout *formLayout()
{
    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->setHorizontalSpacing(16);
    form->setVerticalSpacing(12);
    form->setContentsMargins(12, 0, 0, 0);
    return form;
}

QVBoxLayout *checkGroup()
{
    auto *group = new QVBoxLayout;
    group->setContentsMargins(12, 0, 0, 0);
    group->setSpacing(8);
    return group;
}

QLabel *hint(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    applyFontRole(label, 2);
    mute(label);
    label->setContentsMargins(24, 0, 0, 0);
    return label;
}

} // namespace SettingsStyle
