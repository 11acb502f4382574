#include "GalleryKit.h"

#include <QApplication>
#include <QMap>
#include <QPainter>
#include <QTest>

namespace Gallery
{
QString g_game = QStringLiteral("zorn");
bool g_failed = false;

QString Game()
{
    return g_game;
}

Sheet::Sheet()
{
    m_back = QPixmap(QStringLiteral(":/Backgrounds/%1/01.unfocus.jpg").arg(g_game));
    m_frame = QPixmap(QStringLiteral(":/Frames/picture_border.png"));
    m_grid = new QGridLayout(this);
    m_grid->setContentsMargins(48, 48, 48, 48);
    m_grid->setHorizontalSpacing(16);
    m_grid->setVerticalSpacing(10);
}

void Sheet::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QSize s = m_back.size().scaled(size(), Qt::KeepAspectRatioByExpanding);
    p.drawPixmap(QRect(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s), m_back);
    p.fillRect(rect(), QColor(0, 0, 0, 200));
    // The window border, cut into 34 px tiles as the background manager does.
    const int b = 34, w = width(), h = height(), fw = m_frame.width(), fh = m_frame.height();
    const int mx = (fw - b) / 2, my = (fh - b) / 2;
    p.drawPixmap(QRect(0, 0, b, b), m_frame, QRect(0, 0, b, b));
    p.drawPixmap(QRect(b, 0, w - 2 * b, b), m_frame, QRect(mx, 0, b, b));
    p.drawPixmap(QRect(w - b, 0, b, b), m_frame, QRect(fw - b, 0, b, b));
    p.drawPixmap(QRect(w - b, b, b, h - 2 * b), m_frame, QRect(fw - b, my, b, b));
    p.drawPixmap(QRect(w - b, h - b, b, b), m_frame, QRect(fw - b, fh - b, b, b));
    p.drawPixmap(QRect(b, h - b, w - 2 * b, b), m_frame, QRect(mx, fh - b, b, b));
    p.drawPixmap(QRect(0, h - b, b, b), m_frame, QRect(0, fh - b, b, b));
    p.drawPixmap(QRect(0, b, b, h - 2 * b), m_frame, QRect(0, my, b, b));
}

QString StateName(State state)
{
    static const char* const names[] = {"normal", "hover", "pressed", "disabled", "checked", "hover+checked"};
    return QLatin1String(names[state]);
}

void MarkHover(QWidget* widget)
{
    widget->setProperty("galleryHover", true);
}

void ApplyState(QAbstractButton* button, State state)
{
    if (state == Hover || state == HoverChecked)
        MarkHover(button);
    if (state == Pressed)
        button->setDown(true);
    if (state == Disabled)
        button->setEnabled(false);
    if (state == Checked || state == HoverChecked)
    {
        button->setCheckable(true);
        button->setChecked(true);
    }
}

NImageLabel* Caption(const QString& text)
{
    return new NImageLabel(8, text, QColor(158, 158, 158));
}

void Header(QGridLayout* grid, int row, int firstColumn, const QList<State>& states)
{
    for (int i = 0; i < states.size(); ++i)
        grid->addWidget(new NImageLabel(15, StateName(states[i]), QColor(255, 195, 0)), row, firstColumn + i,
                        Qt::AlignCenter);
}

void Save(QWidget* sheet, const QString& dir, const QString& name)
{
    sheet->adjustSize();
    sheet->resize(sheet->sizeHint().expandedTo(QSize(640, 200)));
    sheet->show();
    QApplication::processEvents();
    // Let every delayed colour change and layout pass settle.
    QTest::qWait(30);
    QImage image = sheet->grab().toImage();
    // Style sheets show hover only for the widget the pointer really entered: move it over each
    // hover sample in turn and paint that sample's picture into the sheet.
    QPainter painter(&image);
    for (QWidget* child : sheet->findChildren<QWidget*>())
    {
        if (!child->property("galleryHover").toBool())
            continue;
        QTest::mouseMove(child, child->rect().center());
        QTest::qWait(15);
        child->render(&painter, child->mapTo(sheet, QPoint(0, 0)), QRegion(), QWidget::DrawChildren);
    }
    painter.end();
    QTest::mouseMove(sheet, QPoint(1, 1));
    // Sheets are top-level windows at the same place: put this one away before the next.
    sheet->hide();
    SaveImage(image, dir, name);
}

void SaveImage(const QImage& image, const QString& dir, const QString& name)
{
    const QString file = dir + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!image.save(file))
    {
        qCritical("gallery: cannot write %s", qPrintable(file));
        g_failed = true;
    }
    qInfo("gallery: %s", qPrintable(file));
}

namespace
{
QMap<QString, Maker>& Makers()
{
    static QMap<QString, Maker> makers;
    return makers;
}
} // namespace

Registration::Registration(const char* name, Maker maker)
{
    Makers().insert(QLatin1String(name), std::move(maker));
}

void RunAll(const QString& dir)
{
    for (auto it = Makers().cbegin(); it != Makers().cend(); ++it)
        it.value()(dir);
}

bool Failed()
{
    return g_failed;
}

void Fail(const QString& what)
{
    qCritical("gallery: %s", qPrintable(what));
    g_failed = true;
}

void SetGame(const QString& game)
{
    g_game = game;
}
} // namespace Gallery
