// Shared pieces of the widget gallery: the backdrop sheet, state helpers, saving, and the table
// of sheet makers that every Sheets*.cpp file adds itself to.
#pragma once

#include "NImageLabel.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

namespace Gallery
{
// The game whose backdrops the sheets show (zorn, gvm, vq or yx).
QString Game();

// A page with a game backdrop under a dark veil, like every page but the main menu.
class Sheet : public QWidget
{
public:
    Sheet();
    QGridLayout* Grid() const { return m_grid; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap m_back;
    QPixmap m_frame;
    QGridLayout* m_grid = nullptr;
};

enum State
{
    Normal,
    Hover,
    Pressed,
    Disabled,
    Checked,
    HoverChecked
};
QString StateName(State state);

// Puts a button into a state; hover is painted by Save, since showing resets who is under the pointer.
void ApplyState(QAbstractButton* button, State state);
// Marks any widget to be painted hovered by Save.
void MarkHover(QWidget* widget);

NImageLabel* Caption(const QString& text);
void Header(QGridLayout* grid, int row, int firstColumn, const QList<State>& states);

// Renders the sheet (hover samples included) to dir/<name>.png; a failure fails the whole run.
void Save(QWidget* sheet, const QString& dir, const QString& name);
// Writes a picture made otherwise to dir/<name>.png; a failure fails the whole run.
void SaveImage(const QImage& image, const QString& dir, const QString& name);

template <typename Make>
void ButtonRow(QGridLayout* grid, int row, const QString& name, const QList<State>& states, Make make)
{
    grid->addWidget(Caption(name), row, 0, Qt::AlignRight | Qt::AlignVCenter);
    for (int i = 0; i < states.size(); ++i)
    {
        QAbstractButton* button = make();
        ApplyState(button, states[i]);
        grid->addWidget(button, row, 1 + i, Qt::AlignCenter);
    }
}

// Each sheet file registers its makers with a static Registration; main runs them in name order.
using Maker = std::function<void(const QString& dir)>;
struct Registration
{
    Registration(const char* name, Maker maker);
};
void RunAll(const QString& dir);
void SetGame(const QString& game);
bool Failed();
// Reports what is wrong; the whole run fails.
void Fail(const QString& what);
} // namespace Gallery
