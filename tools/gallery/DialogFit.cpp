#include "DialogFit.h"

#include "GuiMetrics.h"
#include "StyledTreeView.h"

#include <QAbstractScrollArea>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace Gallery
{
namespace
{
QString Name(const QWidget* widget)
{
    const auto* label = qobject_cast<const QLabel*>(widget);
    // A picture-drawn button shows its caption in a label of its own.
    if (!label && qobject_cast<const QPushButton*>(widget))
    {
        for (const QLabel* caption : widget->findChildren<QLabel*>())
        {
            if (!caption->text().isEmpty())
            {
                label = caption;
                break;
            }
        }
    }
    return QLatin1String(widget->metaObject()->className()) +
           (label ? " \"" + label->text() + '"' : QString());
}

// Buttons lying over each other: a row or column squeezed below what its buttons need.
QStringList OverlappingButtons(QWidget* page)
{
    QStringList faults;
    QList<const QPushButton*> seen;
    for (const QPushButton* button : page->findChildren<QPushButton*>())
    {
        if (!button->isVisible())
            continue;
        const QRect area(button->mapTo(page, QPoint(0, 0)), button->size());
        for (const QPushButton* other : seen)
        {
            if (area.intersects(QRect(other->mapTo(page, QPoint(0, 0)), other->size())) &&
                !button->isAncestorOf(other) && !other->isAncestorOf(button))
                faults << Name(button) + " overlaps " + Name(other);
        }
        seen << button;
    }
    return faults;
}

// Column headers narrower than their texts: a list's header does not scroll with its rows.
QStringList CutHeaders(QWidget* page)
{
    QStringList faults;
    for (const QHeaderView* header : page->findChildren<QHeaderView*>())
    {
        if (!header->isVisible() || !header->model())
            continue;
        for (int section = 0; section < header->count(); ++section)
        {
            const QString text =
                header->model()->headerData(section, header->orientation(), Qt::DisplayRole).toString();
            if (header->isSectionHidden(section) || text.isEmpty())
                continue;
            const int need = StyledTreeView::HeaderWidthNeeded(header, section);
            if (header->sectionSize(section) < need)
                faults << QStringLiteral("%1 header \"%2\" is cut: %3 px wide for %4")
                              .arg(QLatin1String(header->parentWidget()->metaObject()->className()), text)
                              .arg(header->sectionSize(section))
                              .arg(need);
        }
    }
    return faults;
}
} // namespace

QStringList Misfits(QWidget* page)
{
    QStringList faults = CutHeaders(page) + OverlappingButtons(page);
    QList<QPair<QRect, const QLabel*>> texts;
    for (const QWidget* widget : page->findChildren<QWidget*>())
    {
        const auto* label = qobject_cast<const QLabel*>(widget);
        bool inList = false;
        for (const QWidget* up = widget->parentWidget(); up != page; up = up->parentWidget())
            inList = inList || qobject_cast<const QAbstractScrollArea*>(up);
        if (!widget->isVisible() || inList || (!label && !qobject_cast<const QPushButton*>(widget)) ||
            (label && label->text().isEmpty() && label->pixmap(Qt::ReturnByValue).isNull()))
            continue;
        for (const QWidget* inner = widget; inner != page; inner = inner->parentWidget())
        {
            if (!inner->parentWidget()->rect().contains(
                    QRect(widget->mapTo(inner->parentWidget(), QPoint(0, 0)), widget->size())))
                faults << Name(widget) + " sticks out of " + Name(inner->parentWidget());
        }
        if (!label)
            continue;
        const QSize need =
            label->wordWrap() ? QSize(label->minimumSizeHint().width(), label->heightForWidth(label->width()))
                              : label->sizeHint();
        if (label->width() < need.width() || label->height() < need.height())
            faults << QStringLiteral("%1 is cut: %2 px wide for %3")
                          .arg(Name(label))
                          .arg(label->width())
                          .arg(need.width());
        // What the caption really draws, its text or picture, where its alignment puts it.
        const QSize drawn =
            label->text().isEmpty()
                ? label->pixmap(Qt::ReturnByValue).size()
                : QSize(label->fontMetrics().horizontalAdvance(label->text()), label->fontMetrics().height());
        const QRect ink = QStyle::alignedRect(Qt::LeftToRight, label->alignment(),
                                              drawn.boundedTo(label->size()), label->rect())
                              .translated(label->mapTo(page, QPoint(0, 0)));
        if (const auto* button = qobject_cast<const QPushButton*>(label->parentWidget()))
        {
            const int left = button->mapTo(page, QPoint(0, 0)).x();
            if (ink.left() < left + GuiUnit || ink.right() >= left + button->width() - GuiUnit)
                faults << Name(label) + " touches the edge of its button";
        }
        if (label->text().isEmpty())
            continue;
        const QRect room = ink.adjusted(-GuiUnitHalf, 0, GuiUnitHalf, 0);
        for (const auto& other : texts)
        {
            if (other.first.intersects(room))
                faults << Name(label) + " runs into " + Name(other.second);
        }
        texts << qMakePair(room, label);
    }
    return faults;
}
} // namespace Gallery
