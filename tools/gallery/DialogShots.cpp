#include "DialogShots.h"

#include "DialogFit.h"
#include "GalleryKit.h"
#include "GuiMetrics.h"
#include "ModalPage.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

namespace Gallery
{
QSize DialogWindowSize()
{
    return GuiBaseSize + QSize(2 * GuiMargin, 2 * GuiMargin);
}

namespace
{
QImage Shot(const QString& name, const DialogState& state)
{
    Sheet backdrop;
    backdrop.Grid()->setContentsMargins(0, 0, 0, 0);
    ModalPage* page = ModalPage::Instance();
    backdrop.Grid()->addWidget(page, 0, 0);
    NModalWidget* dialog = state.make();
    page->setModalWidget(dialog);
    backdrop.resize(DialogWindowSize());
    backdrop.show();
    QApplication::processEvents();
    if (state.after)
        state.after(dialog);
    // Let delayed colour changes, timers and layout passes settle.
    QTest::qWait(60 + state.settleMs);
    const QImage image = backdrop.grab().toImage();
    // A dialog that does not fit the smallest window is a fault, whatever its picture shows.
    for (const QString& misfit : Misfits(page))
        Fail(name + QStringLiteral(": ") + state.caption + QStringLiteral(": ") + misfit);
    backdrop.hide();
    ModalPage::Destroy();
    return image;
}
} // namespace

void DialogSheet(const QString& dir, const QString& name, const QList<DialogState>& states)
{
    const int columns = states.size() > 1 ? 2 : 1;
    const int rows = (states.size() + columns - 1) / columns;
    const int captionHeight = 40;
    const QSize window = DialogWindowSize();
    QImage sheet(columns * window.width(), rows * (window.height() + captionHeight), QImage::Format_ARGB32);
    sheet.fill(QColor(20, 20, 20));
    QPainter painter(&sheet);
    QFont font(GuiFontMain);
    font.setPixelSize(22);
    font.setBold(true);
    painter.setFont(font);
    for (int i = 0; i < states.size(); ++i)
    {
        const QPoint at((i % columns) * window.width(), (i / columns) * (window.height() + captionHeight));
        painter.setPen(QColor(255, 195, 0));
        painter.drawText(QRect(at, QSize(window.width(), captionHeight)), Qt::AlignCenter,
                         name + QStringLiteral(": ") + states[i].caption);
        painter.drawImage(at + QPoint(0, captionHeight), Shot(name, states[i]));
    }
    painter.end();
    SaveImage(sheet, dir, name);
}
} // namespace Gallery
