#pragma once

#include <QLabel>
#include <QPushButton>

class NImageLabel;

// Picture colours of the buttons (":/Buttons/button_<colour>.png" and the menu family).
enum ButtonColor : int
{
    ButtonNone = 0,
    ButtonBlack = 1,
    ButtonBlue = 2,
    ButtonBrown = 3,
    ButtonBrownDark = 4,
    ButtonBrownLight = 5,
    ButtonGreen = 6,
    ButtonRed = 7,
    ButtonSilver = 8
};

// A push button drawn from nine-slice pictures, one per state, with an upper-case caption and an
// optional icon laid out in the middle.
class NButtonBase : public QPushButton
{
    Q_OBJECT

public:
    NButtonBase(int fontKind, bool withClickSound, QWidget* parent = nullptr);

    // The picture name of a colour; the subclasses use their own families.
    virtual QString ImageName(int color) const;
    // The plain family at a given interface scale ("_2x" pictures above 1.0).
    static QString PlainImageName(int color, double scale);
    static QString MenuImageName(int color, double scale);
    static QString ModalImageName(int color, double scale);

    void ApplyStyle();
    void SetImageNormal(int color) { m_images[0] = ImageName(color); }
    void SetImagePressed(int color) { m_images[1] = ImageName(color); }
    void SetImageDisabled(int color) { m_images[2] = ImageName(color); }
    void SetImageHover(int color) { m_images[3] = ImageName(color); }
    void SetImageHoverPressed(int color) { m_images[4] = ImageName(color); }
    void SetImageChecked(int color) { m_images[5] = ImageName(color); }
    void SetImageHoverChecked(int color) { m_images[6] = ImageName(color); }
    // Normal, pressed, disabled, hover, hover-pressed, checked, hover-checked.
    QString GetImage(int state) const { return state >= 0 && state < 7 ? m_images[state] : QString(); }

    void SetBorderWidth(int px);
    void SetVerticalPadding(int px);
    int GetBorderWidth() const { return m_borderWidth; }
    int GetPadding() const { return m_padding; }

    void SetText(const QString& text);
    QString GetText() const;
    void SetIcon(const QPixmap& pixmap);
    void UpdateIcon(const QIcon& icon);
    void Relayout();

    void SetFixedSize(int w, int h);
    void SetFixedWidth(int w);
    void SetMinimumWidth(int w);
    bool IsSizeLocked() const { return m_sizeLocked; }

    NImageLabel* CaptionLabel() const { return m_caption; }
    QLabel* IconLabel() const { return m_icon; }

public slots:
    void DoClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateFixedHeight();

    bool m_sizeLocked = false;
    QLabel* m_icon = nullptr;
    NImageLabel* m_caption = nullptr;
    int m_borderWidth = 0;
    int m_padding = 0;
    int m_minimumWidth = 0;
    QString m_template;
    QString m_images[7];
};

// The usual page and dialog button.
class NButton : public NButtonBase
{
    Q_OBJECT

public:
    explicit NButton(int color = ButtonBlack, bool withClickSound = true, QWidget* parent = nullptr);
    void SetCheckable(bool checkable);
};

// A button that starts something; brown states.
class NButtonAction : public NButtonBase
{
    Q_OBJECT

public:
    explicit NButtonAction(int color = ButtonBrown, bool withClickSound = true, QWidget* parent = nullptr);
};

// The large buttons of the menus.
class NButtonMenu : public NButtonBase
{
    Q_OBJECT

public:
    explicit NButtonMenu(int color = ButtonBlack, bool withClickSound = true, QWidget* parent = nullptr);
    QString ImageName(int color) const override;
};

// The OK, Cancel and Close buttons of the dialogs.
class NButtonModal : public NButtonBase
{
    Q_OBJECT

public:
    explicit NButtonModal(int color = ButtonBlack, bool withClickSound = true, QWidget* parent = nullptr);
    QString ImageName(int color) const override;
    void SetCheckable(bool checkable);
};
