#pragma once

#include <QLabel>
#include <QPushButton>

class NImageLabel;

// The tab-like auxiliary button: type 0 "button_aux_top", 1 "button_aux_top2", 2 "button_aux_bottom".
class NImageButtonAux : public QPushButton
{
    Q_OBJECT

public:
    explicit NImageButtonAux(int type = 0, bool silent = false, QWidget* parent = nullptr);

    static int GetDefaultHeight();
    static QString PictureName(int type);

    void SetPixmap(const QPixmap& pixmap);
    void SetText(const QString& text);
    int GetType() const { return m_type; }
    NImageLabel* CaptionLabel() const { return m_caption; }
    QLabel* IconLabel() const { return m_icon; }

public slots:
    void DoClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int m_type = 0;
    QLabel* m_icon = nullptr;
    NImageLabel* m_caption = nullptr;
};
