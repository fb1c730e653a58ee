#pragma once
// A panel painted with a vertical gradient from its base colour to its end
// colour, as the main window paints its three panels with the configured
// colours.
#include <QColor>
#include <QWidget>
#include <optional>

namespace cxp {

class PanelDegradado : public QWidget {
    Q_OBJECT
public:
    explicit PanelDegradado(QWidget* parent = nullptr);

    void setColores(const QColor& base, const QColor& fin);
    QColor base() const { return base_; }
    QColor fin() const { return fin_; }

    // A configured colour: a decimal integer in the platform encoding (red
    // in the lowest byte). Nothing when the text is not one.
    static std::optional<QColor> colorConfigurado(const QString& texto);

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    QColor base_{0xa6, 0xca, 0xf0};
    QColor fin_{Qt::white};
};

}  // namespace cxp
