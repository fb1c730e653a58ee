#pragma once
// "Mover Formato": shifts or scales the elements of one format. The person
// gives the number of positions and the vertical range ("Empezando en:",
// "Terminando en:") and picks one of eight options; "F2:Grabar" runs
// MOVER_FORMATO with the format's type and prefix. Empty fields count 0, 0
// and 2000. The four scaling options disable the three fields and clear
// the number of positions. Screen logic only; the widgets are
// TFmoverformaVista.
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

namespace cxp {

class ManejadorErrores;
struct Sesion;

class TFmoverforma : public QObject {
    Q_OBJECT
public:
    // The options in the order they are shown, with the action letter
    // MOVER_FORMATO takes.
    struct Opcion {
        QString titulo;
        QChar accion;
        bool escala;  // halves or doubles: no positions, no range typed
    };
    static const QList<Opcion>& opciones();

    TFmoverforma(int tipo, const QString& prefijo, Sesion& sesion, ManejadorErrores& manejador,
                 QObject* parent = nullptr);

    int tipo() const { return tipo_; }
    const QString& prefijo() const { return prefijo_; }

    // The three fields as typed; empty is none. Text that is no whole
    // number counts as empty.
    void setPosiciones(const QString& texto);
    void setDesde(const QString& texto);
    void setHasta(const QString& texto);
    const QString& posiciones() const { return posiciones_; }
    const QString& desde() const { return desde_; }
    const QString& hasta() const { return hasta_; }

    // The chosen option, by its index in opciones(); "Mover a la derecha"
    // at first.
    void setOpcion(int indice);
    int opcion() const { return opcion_; }
    bool camposHabilitados() const;

    // What MOVER_FORMATO receives for the current fields.
    int valorPosiciones() const;
    int valorDesde() const;
    int valorHasta() const;
    QChar accion() const;

    // "F2:Grabar": runs MOVER_FORMATO and closes; a database error is
    // reported and the dialog stays. True when the format was changed.
    bool grabar();
    // "Esc:Cancelar".
    void cancelar();

signals:
    void camposCambiaron();  // cleared or enabled/disabled by the option
    void cerrar(bool movido);

private:
    static std::optional<int> entero(const QString& texto);

    int tipo_;
    QString prefijo_;
    Sesion& sesion_;
    ManejadorErrores& manejador_;
    QString posiciones_, desde_, hasta_;
    int opcion_ = 0;
};

}  // namespace cxp
