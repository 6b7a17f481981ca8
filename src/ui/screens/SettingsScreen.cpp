#include "SettingsScreen.h"

#include "AppState.h"
#include "Contrast.h"
#include "LanguageSetting.h"
#include "Money.h"
#include "PreferencesRepository.h"
#include "SettingsDataSyncPage.h"
#include "SettingsStyle.h"
#include "ThemeManager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// Selects the entry whose item data equals `value`, else `fallback`.
void selectData(QComboBox *combo, const QVariant &value, int fallback = 0)
{
    const int index = combo->findData(value);
    combo->setCurrentIndex(index >= 0 ? index : fallback);
}

QCheckBox *addCheck(QVBoxLayout *group, const QString &text, bool checked, const QString &hint,
                    QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setChecked(checked);
    group->addWidget(box);
    group->addWidget(SettingsStyle::hint(hint, parent));
    return box;
}

} // namespace

SettingsScreen::SettingsScreen(AppState *app, QWidget *parent)
    : QWidget(parent)
    , m_app(app)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_nav = new QListWidget(this);
    m_nav->setObjectName(QStringLiteral("settingsNavigation"));
    m_nav->setFixedWidth(180);
    m_nav->setFrameShape(QFrame::NoFrame);
    m_nav->setFocusPolicy(Qt::NoFocus);
    m_nav->setSpacing(2);
    m_nav->setIconSize(QSize(20, 20));
    applyFontRole(m_nav, 0);
    for (const QString &text : {tr("General"), tr("Register"), tr("Data & Sync"), tr("About")})
        new QListWidgetItem(text, m_nav);
    styleNavigation();
    // A translated page name may be longer than the English one: widen rather than cut it.
    m_nav->setFixedWidth(qMax(180, m_nav->sizeHintForColumn(0) + 2 * (8 + m_nav->spacing()) + 2));
    layout->addWidget(m_nav, 0);

    m_pages = new QStackedWidget(this);
    m_pages->addWidget(buildGeneralPage());
    m_pages->addWidget(buildRegisterPage());
    m_pages->addWidget(buildDataSyncPage());
    m_pages->addWidget(buildAboutPage());
    layout->addWidget(m_pages, 1);

    m_nav->setCurrentRow(0);
    connect(m_nav, &QListWidget::currentRowChanged, this, &SettingsScreen::onCategoryChanged);
    // The screen outlives theme and accent changes: its own colours follow them.
    if (ThemeManager *theme = m_app->themeManager()) {
        const auto restyle = [this] {
            styleNavigation();
            SettingsStyle::restyle(this);
        };
        connect(theme, &ThemeManager::themeChanged, this, restyle);
        connect(theme, &ThemeManager::accentChanged, this, restyle);
    }
}

void SettingsScreen::styleNavigation()
{
    const bool dark = SettingsStyle::isDark();
    const QColor iconColor(SettingsStyle::pick("#4A6358", "#8FAF9F"));
    // The selected row's icon in its text colour: the style's own tint of the
    // icon for selection hardly shows on the selected background.
    const QColor selectedText(QStringLiteral("#FFFFFF"));
    const char16_t glyphs[] = {0xE8B8, 0xE8EF, 0xE627, 0xE88E};
    for (int row = 0; row < m_nav->count(); ++row) {
        QIcon icon = makeNavIcon(glyphs[row], iconColor, 20);
        icon.addPixmap(makeNavIcon(glyphs[row], selectedText, 20).pixmap(20), QIcon::Selected);
        m_nav->item(row)->setIcon(icon);
    }
    // The accent as chosen, or the nearest shade under which the selected text reads.
    const QColor selected = dark ? QColor(QStringLiteral("#26574A"))
                                 : Contrast::readable(AppState::accentColor(), {selectedText});
    m_nav->setStyleSheet(
        QStringLiteral("QListWidget {  background: %1;  border: none;  padding: 12px 8px;}"
                       "QListWidget::item {  color: %2;  padding: 8px 12px;  border-radius: 6px;}"
                       "QListWidget::item:hover {  background: %3;}"
                       "QListWidget::item:selected {  background: %4;  color: %5;}")
            .arg(dark ? "#152420" : "#F0F4F2", dark ? "#D8E8DF" : "#1B2D26", dark ? "#1E3530" : "#E0EBE5",
                 selected.name(), selectedText.name()));
}

void SettingsScreen::refresh()
{
    m_dataSync->refresh();
}

void SettingsScreen::restoreSelectedAccount()
{
    m_dataSync->restoreSelectedAccount();
}

QWidget *SettingsScreen::makeSectionHeader(const QString &title, const QString &description)
{
    return SettingsStyle::sectionHeader(title, description, this);
}

QWidget *SettingsScreen::makeSeparator()
{
    return SettingsStyle::separator(this);
}

QWidget *SettingsScreen::buildGeneralPage()
{
    auto *page = new QWidget(this);
    QVBoxLayout *layout = SettingsStyle::beginPage(page, tr("General"));
    PreferencesRepository *prefs = m_app->preferences();

    layout->addWidget(makeSectionHeader(tr("Appearance"), tr("Control how Tallowmere Tallyfern looks.")));
    QFormLayout *appearance = SettingsStyle::formLayout();
    m_themeCombo = new QComboBox(page);
    m_themeCombo->setObjectName(QStringLiteral("themeCombo"));
    m_themeCombo->addItem(tr("System Default"), QStringLiteral("system"));
    m_themeCombo->addItem(tr("Light"), QStringLiteral("light"));
    m_themeCombo->addItem(tr("Dark"), QStringLiteral("dark"));
    selectData(m_themeCombo, prefs->value(PreferenceKeys::Theme));
    appearance->addRow(tr("Theme"), m_themeCombo);

    auto *swatchRow = new QWidget(page);
    auto *swatchLayout = new QHBoxLayout(swatchRow);
    swatchLayout->setContentsMargins(0, 0, 0, 0);
    m_accentSwatch = new QPushButton(swatchRow);
    m_accentSwatch->setObjectName(QStringLiteral("accentSwatch"));
    m_accentSwatch->setFixedSize(28, 28);
    m_accentSwatch->setCursor(Qt::PointingHandCursor);
    m_accentSwatch->setToolTip(tr("Choose accent color"));
    styleColorSwatch(m_accentSwatch, QColor(prefs->value(PreferenceKeys::AccentColor)), false);
    swatchLayout->addWidget(m_accentSwatch);
    swatchLayout->addStretch();
    appearance->addRow(tr("Accent color"), swatchRow);

    m_fontScaleCombo = new QComboBox(page);
    m_fontScaleCombo->setObjectName(QStringLiteral("fontScaleCombo"));
    const std::pair<QString, int> scales[] = {{tr("Small"), 85},
                                              {tr("Default"), 100},
                                              {tr("Medium"), 115},
                                              {tr("Large"), 130},
                                              {tr("Extra Large"), 150}};
    for (const auto &[text, percent] : scales)
        m_fontScaleCombo->addItem(text, percent);
    ThemeManager *theme = m_app->themeManager();
    selectData(m_fontScaleCombo, theme ? theme->fontScale() : 100, m_fontScaleCombo->findData(100));
    appearance->addRow(tr("Font size"), m_fontScaleCombo);
    layout->addLayout(appearance);

    SettingsStyle::addSeparatorBlock(layout, page);
    layout->addWidget(makeSectionHeader(tr("Regional"), tr("Date and calendar preferences.")));
    QFormLayout *regional = SettingsStyle::formLayout();
    m_weekStartCombo = new QComboBox(page);
    m_weekStartCombo->setObjectName(QStringLiteral("weekStartCombo"));
    m_weekStartCombo->addItem(tr("Sunday"), 7);
    m_weekStartCombo->addItem(tr("Monday"), 1);
    m_weekStartCombo->addItem(tr("Saturday"), 6);
    const std::optional<QString> storedDay = prefs->get(PreferenceKeys::WeekStartDay);
    selectData(m_weekStartCombo, storedDay ? storedDay->toInt() : int(QLocale().firstDayOfWeek()));
    regional->addRow(tr("Week starts on"), m_weekStartCombo);

    m_languageCombo = new QComboBox(page);
    m_languageCombo->setObjectName(QStringLiteral("languageCombo"));
    m_languageCombo->addItem(tr("System Default"), QStringLiteral("system"));
    // Language names in their own languages, whatever the interface speaks.
    m_languageCombo->addItem(QStringLiteral("English"), QStringLiteral("en"));
    m_languageCombo->addItem(QStringLiteral("Español"), QStringLiteral("es"));
    m_languageCombo->addItem(QStringLiteral("Deutsch"), QStringLiteral("de"));
    m_languageCombo->addItem(QStringLiteral("Français"), QStringLiteral("fr"));
    m_languageCombo->addItem(QStringLiteral("日本語"), QStringLiteral("ja"));
    selectData(m_languageCombo, LanguageSetting::stored());
    regional->addRow(tr("Language"), m_languageCombo);
    layout->addLayout(regional);
    layout->addStretch();

    connect(m_themeCombo, &QComboBox::currentIndexChanged, this, &SettingsScreen::onThemeChanged);
    connect(m_accentSwatch, &QPushButton::clicked, this, &SettingsScreen::openAccentDialog);
    connect(m_fontScaleCombo, &QComboBox::currentIndexChanged, this, &SettingsScreen::onFontScaleChanged);
    connect(m_weekStartCombo, &QComboBox::currentIndexChanged, this, &SettingsScreen::onWeekStartChanged);
    connect(m_languageCombo, &QComboBox::currentIndexChanged, this, &SettingsScreen::onLanguageChanged);
    return page;
}

QWidget *SettingsScreen::buildRegisterPage()
{
    auto *page = new QWidget(this);
    QVBoxLayout *layout = SettingsStyle::beginPage(page, tr("Register"));
    PreferencesRepository *prefs = m_app->preferences();

    layout->addWidget(makeSectionHeader(tr("Display"), tr("How transactions appear in the register.")));
    QVBoxLayout *display = SettingsStyle::checkGroup();
    m_twoLine = addCheck(display, tr("Two-line rows"), prefs->getBool(PreferenceKeys::RegisterTwoLine),
                         tr("Show memo on a second line below the payee."), page);
    m_twoLine->setObjectName(QStringLiteral("twoLineCheck"));
    m_autoDecimal =
        addCheck(display, tr("Auto-decimal point"), prefs->getBool(PreferenceKeys::AmountAutoDecimal),
                 tr("Type 1234 to enter 12.34. The last two digits are always cents."), page);
    m_autoDecimal->setObjectName(QStringLiteral("autoDecimalCheck"));

    auto *balanceForm = new QFormLayout;
    balanceForm->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    balanceForm->setHorizontalSpacing(16);
    balanceForm->setContentsMargins(12, 8, 0, 0);
    m_balanceCombo = new QComboBox(page);
    m_balanceCombo->setObjectName(QStringLiteral("balanceCombo"));
    m_balanceCombo->addItem(tr("Current balance"), QStringLiteral("current"));
    m_balanceCombo->addItem(tr("Cleared balance"), QStringLiteral("cleared"));
    m_balanceCombo->addItem(tr("Balance as of today"), QStringLiteral("asOfToday"));
    selectData(m_balanceCombo, prefs->value(PreferenceKeys::DashboardBalanceMode));
    balanceForm->addRow(tr("Account list shows"), m_balanceCombo);
    display->addLayout(balanceForm);
    auto *balanceHint =
        SettingsStyle::hint(tr("Cleared counts only transactions you have marked cleared. Balance "
                               "as of today leaves out anything dated later, such as scheduled bills."),
                            page);
    balanceHint->setWordWrap(true);
    display->addWidget(balanceHint);
    layout->addLayout(display);

    SettingsStyle::addSeparatorBlock(layout, page);
    layout->addWidget(
        makeSectionHeader(tr("Sorting"), tr("Control the order of transactions in the register.")));
    QVBoxLayout *sorting = SettingsStyle::checkGroup();
    m_newestFirst = addCheck(sorting, tr("Show newest transactions first"),
                             prefs->getBool(PreferenceKeys::RegisterNewestFirst),
                             tr("When enabled, the most recent transactions appear at the top."), page);
    m_newestFirst->setObjectName(QStringLiteral("newestFirstCheck"));
    layout->addLayout(sorting);
    layout->addStretch();

    connect(m_twoLine, &QCheckBox::toggled, this, &SettingsScreen::onTwoLineModeChanged);
    connect(m_autoDecimal, &QCheckBox::toggled, this, &SettingsScreen::onAutoDecimalChanged);
    connect(m_balanceCombo, &QComboBox::currentIndexChanged, this,
            &SettingsScreen::onDashboardBalanceChanged);
    connect(m_newestFirst, &QCheckBox::toggled, this, &SettingsScreen::onRegisterOrderChanged);
    return page;
}

QWidget *SettingsScreen::buildDataSyncPage()
{
    m_dataSync = new SettingsDataSyncPage(m_app, this);
    connect(m_dataSync, &SettingsDataSyncPage::deletedAccountRestored, this,
            &SettingsScreen::deletedAccountRestored);
    return m_dataSync;
}

QWidget *SettingsScreen::buildAboutPage()
{
    auto *page = new QWidget(this);
    QVBoxLayout *layout = SettingsStyle::beginPage(page, tr("About"), 16);
    auto *product = new QLabel(tr("Tallowmere Tallyfern"), page);
    applyFontRole(product, 5);
    layout->addWidget(product);
    m_versionLabel = new QLabel(tr("Version %1").arg(QCoreApplication::applicationVersion()), page);
    m_versionLabel->setObjectName(QStringLiteral("versionLabel"));
    SettingsStyle::mute(m_versionLabel);
    layout->addWidget(m_versionLabel);
    layout->addSpacing(16);
    auto *description =
        new QLabel(tr("A check register for your accounts: transactions, transfers and splits, "
                      "categories, recurring bills and reconciliation, kept in one file on this "
                      "computer and synced to your other devices when you sign in."),
                   page);
    description->setWordWrap(true);
    layout->addWidget(description);
    layout->addSpacing(16);
    layout->addWidget(makeSeparator());
    layout->addSpacing(12);
    auto *links = new QLabel(tr("Links"), page);
    applyFontRole(links, 3);
    layout->addWidget(links);
    auto *linkList = new QLabel(QStringLiteral("<a href=\"https://tallowmere.app/tallyfern\">%1</a><br>"
                                               "<a href=\"https://tallowmere.app/privacy\">%2</a>")
                                    .arg(tr("Website").toHtmlEscaped(), tr("Privacy policy").toHtmlEscaped()),
                                page);
    linkList->setTextFormat(Qt::RichText);
    linkList->setOpenExternalLinks(true);
    linkList->setContentsMargins(12, 0, 0, 0);
    layout->addWidget(linkList);
    layout->addStretch();
    auto *legal =
        new QLabel(tr("© Tallowmere Labs. Tallyfern is provided as is, without warranty of any kind."), page);
    legal->setWordWrap(true);
    applyFontRole(legal, 2);
    SettingsStyle::mute(legal);
    layout->addWidget(legal);
    return page;
}

void SettingsScreen::onCategoryChanged(int row)
{
    m_pages->setCurrentIndex(row);
}

void SettingsScreen::onThemeChanged(int index)
{
    if (ThemeManager *theme = m_app->themeManager())
        theme->setTheme(m_themeCombo->itemData(index).toString());
}

void SettingsScreen::onFontScaleChanged(int index)
{
    if (ThemeManager *theme = m_app->themeManager())
        theme->setFontScale(m_fontScaleCombo->itemData(index).toInt());
}

void SettingsScreen::onWeekStartChanged(int index)
{
    const int day = m_weekStartCombo->itemData(index).toInt();
    m_app->preferences()->setInt(PreferenceKeys::WeekStartDay, day);
    AppState::weekStartDay() = day;
}

void SettingsScreen::onDashboardBalanceChanged(int index)
{
    m_app->preferences()->set(PreferenceKeys::DashboardBalanceMode,
                              m_balanceCombo->itemData(index).toString());
}

void SettingsScreen::onLanguageChanged(int index)
{
    const QString code = m_languageCombo->itemData(index).toString();
    if (code.isEmpty() || code == LanguageSetting::stored())
        return;
    LanguageSetting::store(code);
    QMessageBox::information(
        this, tr("Language Changed"),
        tr("The new language will take effect the next time you start Tallowmere Tallyfern."),
        QMessageBox::Ok);
}

void SettingsScreen::onRegisterOrderChanged(bool checked)
{
    m_app->preferences()->setBool(PreferenceKeys::RegisterNewestFirst, checked);
}

void SettingsScreen::onTwoLineModeChanged(bool checked)
{
    m_app->preferences()->setBool(PreferenceKeys::RegisterTwoLine, checked);
}

void SettingsScreen::onAutoDecimalChanged(bool checked)
{
    m_app->preferences()->setBool(PreferenceKeys::AmountAutoDecimal, checked);
    Money::setAutoDecimal(checked);
}

void SettingsScreen::onAccentChanged(const QColor &color)
{
    if (ThemeManager *theme = m_app->themeManager())
        theme->setAccentColor(color);
    styleColorSwatch(m_accentSwatch, color, false);
}

void SettingsScreen::openAccentDialog()
{
    QDialog dialog(this);
    dialog.setWindowTitle(tr("Accent color"));
    auto *layout = new QVBoxLayout(&dialog);
    const QString stored = m_app->preferences()->value(PreferenceKeys::AccentColor);
    auto *grid = new QGridLayout;
    grid->setSpacing(12);
    const char *const colors[] = {"#00897B", "#1E88E5", "#3949AB", "#8E24AA",
                                  "#D81B60", "#2E7D32", "#F9A825", "#546E7A"};
    for (int i = 0; i < 8; ++i) {
        const QColor color(QString::fromLatin1(colors[i]));
        auto *swatch = new QPushButton(&dialog);
        swatch->setFixedSize(36, 36);
        swatch->setCursor(Qt::PointingHandCursor);
        swatch->setToolTip(color.name());
        styleColorSwatch(swatch, color, color.name().compare(stored, Qt::CaseInsensitive) == 0);
        connect(swatch, &QPushButton::clicked, &dialog, [this, color, &dialog] {
            onAccentChanged(color);
            dialog.accept();
        });
        grid->addWidget(swatch, i / 4, i % 4);
    }
    layout->addLayout(grid);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.exec();
}

QIcon SettingsScreen::makeNavIcon(char16_t codePoint, const QColor &color, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Material Icons"));
    font.setPixelSize(size);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QString(QChar(codePoint)));
    painter.end();
    return QIcon(pixmap);
}

void SettingsScreen::styleColorSwatch(QPushButton *button, const QColor &color, bool selected)
{
    const int radius = button->width() / 2;
    const QString border =
        selected ? QStringLiteral("border: 2px solid %1;").arg(SettingsStyle::pick("#12211B", "#FFFFFF"))
                 : QStringLiteral("border: 1px solid rgba(0, 0, 0, 0.25);");
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border-radius: %2px; %3 }")
                              .arg(color.name())
                              .arg(radius)
                              .arg(border));
}
