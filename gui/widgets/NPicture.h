#pragma once

#include <QFrame>
#include <QPixmap>

// A framed picture that covers its whole area (cropped at the long side). A checkable picture is
// one choice among several: it answers hover and clicks, and its owner marks it checked.
class NPicture : public QFrame
{
    Q_OBJECT

public:
    explicit NPicture(QWidget* parent = nullptr);

    void SetPixmap(const QPixmap& pixmap);
    void SetImage(const QImage& image);
    void SetCheckable(bool checkable);
    void SetChecked(bool checked);
    void Click();

    bool IsCheckable() const { return m_checkable; }
    bool IsChecked() const { return m_checked; }
    bool IsHovered() const { return m_hovered; }
    const QPixmap& Rendered() const { return m_rendered; }

    // The covering picture with its frame, as painted at a given size.
    static QPixmap Render(const QPixmap& source, const QSize& size, bool checked);

signals:
    void OnClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Rerender();

    QPixmap m_rendered;
    QPixmap m_source;
    bool m_checkable = false;
    bool m_checked = false;
    bool m_hovered = false;
};
