#pragma once

#include <QColor>
#include <QLabel>

// What a font kind stands for: family, size, spacing, shadow, weight and case.
struct NFontSpec
{
    QString family;
    int pixelSize = 12;
    double spacing = 2.0;
    int shadow = 2;
    bool bold = true;
    bool upperCase = false;
    // Kinds 11-13 set a top padding through a style sheet (negative pulls the text up).
    bool hasPadding = false;
    int paddingTop = 0;
};

// Every caption of the interface. One integer, the font kind, fixes how the text looks, so all
// captions of a kind look alike.
class NImageLabel : public QLabel
{
    Q_OBJECT

public:
    explicit NImageLabel(int kind = 0, const QString& text = QString(), const QColor& color = Qt::white,
                         QWidget* parent = nullptr);

    // The font of a kind for the given language flag and interface scale.
    static NFontSpec FontSpec(int kind, bool cyrillic, double scale);

    void SetText(const QString& text);
    // Takes effect 10 ms later, after whatever else the caller changes in the same turn.
    void SetColor(const QColor& color);
    int GetTextWidth() const;

    int GetKind() const { return m_kind; }
    QColor GetColor() const { return m_color; }
    const NFontSpec& GetSpec() const { return m_spec; }
    bool IsCyrillic() const { return m_cyrillic; }

public slots:
    void DoSetColor();

private:
    void ApplyPalette();

    int m_kind = 0;
    QColor m_color;
    double m_scale = 1.0;
    NFontSpec m_spec;
    bool m_cyrillic = false;
};
