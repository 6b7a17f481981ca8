#include "CellPainter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>

// The register draws its cells through the painter: a cell must look exactly
// as the style and Qt's own drawText would draw it, elision included, the
// first time and when the laid-out text is reused.
class TestCellPainter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void drawsTextAsDrawText_data();
    void drawsTextAsDrawText();
    void drawsBackgroundAsTheStyle_data();
    void drawsBackgroundAsTheStyle();
};

void TestCellPainter::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

void TestCellPainter::drawsTextAsDrawText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<bool>("elide");

    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    QTest::newRow("payee") << QStringLiteral("Corner Grocery") << left << QSize(160, 30) << 10.0 << true;
    QTest::newRow("amount") << QStringLiteral("1,234.56") << right << QSize(90, 31) << 10.0 << true;
    QTest::newRow("centred check number") << QStringLiteral("1042") << int(Qt::AlignCenter) << QSize(61, 24)
                                          << 10.0 << true;
    QTest::newRow("elided") << QStringLiteral("A payee far too long for its narrow column") << left
                            << QSize(80, 30) << 10.0 << true;
    QTest::newRow("elided amount") << QStringLiteral("-12,345,678.90") << right << QSize(40, 30) << 10.0 << true;
    QTest::newRow("smaller memo") << QStringLiteral("rent for March") << left << QSize(150, 19) << 9.0 << true;
    QTest::newRow("Japanese") << QStringLiteral("食料品店") << left << QSize(120, 30) << 10.0 << true;
    QTest::newRow("right-to-left") << QStringLiteral("מכולת השכונה") << left << QSize(120, 30) << 10.0 << true;
    QTest::newRow("top aligned") << QStringLiteral("Opening Balance") << int(Qt::AlignLeft | Qt::AlignTop)
                                 << QSize(150, 40) << 10.0 << true;
    // A balance is drawn whole in a rect of its own rounded width.
    QTest::newRow("whole balance") << QStringLiteral("-1,234.56") << right << QSize(1, 30) << 10.0 << false;
}

void TestCellPainter::drawsTextAsDrawText()
{
    QFETCH(QString, text);
    QFETCH(int, alignment);
    QFETCH(QSize, size);
    QFETCH(qreal, pointSize);
    QFETCH(bool, elide);

    QFont font;
    font.setPointSizeF(pointSize);
    const QFontMetrics metrics(font);
    if (!elide)
        size.setWidth(metrics.horizontalAdvance(text));
    const QRect cell(QPoint(7, 5), size);
    auto render = [&](const std::function<void(QPainter &)> &draw) {
        QImage image(size + QSize(14, 10), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        draw(painter);
        return image;
    };
    const QImage expected = render([&](QPainter &painter) {
        painter.drawText(cell, alignment, elide ? metrics.elidedText(text, Qt::ElideRight, cell.width()) : text);
    });
    CellPainter cells;
    for (int round = 0; round < 2; ++round) {
        const QImage drawn =
            render([&](QPainter &painter) {
            cells.drawText(&painter, cell, alignment, text, metrics, elide ? Qt::ElideRight : Qt::ElideNone);
        });
        QCOMPARE(drawn, expected);
    }
}

void TestCellPainter::drawsBackgroundAsTheStyle_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QColor>("background");

    const int enabled = QStyle::State_Enabled | QStyle::State_Active;
    QTest::newRow("plain") << enabled << QColor();
    QTest::newRow("alternate row") << enabled << QColor(QStringLiteral("#f3f3f3"));
    QTest::newRow("selected") << (enabled | QStyle::State_Selected) << QColor();
    QTest::newRow("selected, window inactive") << int(QStyle::State_Enabled | QStyle::State_Selected)
                                               << QColor(QStringLiteral("#f3f3f3"));
    QTest::newRow("current cell") << (enabled | QStyle::State_Selected | QStyle::State_HasFocus) << QColor();
    QTest::newRow("disabled") << int(QStyle::State_None) << QColor();
}

void TestCellPainter::drawsBackgroundAsTheStyle()
{
    QFETCH(int, state);
    QFETCH(QColor, background);

    QTableView view;
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.widget = &view;
    option.rect = QRect(3, 2, 120, 28);
    option.state = QStyle::State(state);
    if (background.isValid())
        option.backgroundBrush = background;
    option.showDecorationSelected = true;
    auto render = [&](const std::function<void(QPainter &)> &draw) {
        QImage image(130, 34, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        draw(painter);
        return image;
    };
    const QImage expected = render([&](QPainter &painter) {
        view.style()->drawControl(QStyle::CE_ItemViewItem, &option, &painter, &view);
    });
    QCOMPARE(render([&](QPainter &painter) { CellPainter::drawBackground(&painter, option); }), expected);
}

QTEST_MAIN(TestCellPainter)
#include "TestCellPainter.moc"
