#pragma once
// "Procedimientos de usuario": runs a selectable stored procedure of the
// catalogue PROCEDIMIENTOS_USUARIO with the date range and up to five text
// arguments, one per caption PRUS_PARAM1..5 that is not empty, and shows
// its rows with the sums of the numeric columns. The catalogue is that of
// the session's module (the maintenance module sees every procedure).
// Before a statement is built its procedure name is checked against the
// database's own list of selectable procedures. Screen logic only; the
// widgets are TfprocedimientosVista.
#include "base/Dinero.h"
#include "data/DataSet.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace cxp {

class Interaccion;
class ManejadorErrores;
struct Sesion;

class Tfprocedimientos : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Procedimientos de usuario");
    static inline const QString kCalculeDv = QStringLiteral("CALCULE_DV");
    static inline const QString kSinRango = QStringLiteral(
        "Este procedimiento no requiere indicar ningun rango. Presione el boton F5:Generar.");
    static inline const QString kFaltaParametro = QStringLiteral("Debe indicar un parámetro al procedimiento.");
    static inline const QString kPanel = QStringLiteral("Ejecutando procedimiento. espere un momento ...");
    static inline const QString kModuloMantenimiento = QStringLiteral("MANTENIMIENTO");
    static constexpr int kParametros = 5;

    Tfprocedimientos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QObject* parent = nullptr);

    // Reads the catalogue, sets the dates to the current month and selects
    // the first procedure. False when a database error was reported.
    bool abrir();
    DataSet& catalogo() { return catalogo_; }
    DataSet& resultado() { return resultado_; }

    // Chooses the catalogue row (its PRUS_SP is the list's key).
    void elegir(int fila);
    QString procedimiento() const;  // PRUS_SP of the row chosen
    QString explicacion() const;
    // Captions of boxes 1..5 (index 0..4).
    QString titulo(int parametro) const;
    // The date pickers are shown except for CALCULE_DV, which shows kSinRango.
    bool fechasVisibles() const;
    QString aviso() const { return fechasVisibles() ? QString() : kSinRango; }

    QDate desde() const { return desde_; }
    QDate hasta() const { return hasta_; }
    void setDesde(QDate d) { desde_ = d; }
    void setHasta(QDate d) { hasta_ = d; }
    void setParametro(int i, const QString& texto) { parametros_[size_t(i)] = texto; }
    const QString& parametro(int i) const { return parametros_[size_t(i)]; }

    // The statement F5 runs, or nothing when box 1 is empty and the
    // procedure is not CALCULE_DV. It names the procedure as the catalogue
    // gives it: check it with esSeleccionable first.
    std::optional<QString> sentencia() const;
    // F5. True when rows arrived; on a failure the grid keeps its rows.
    bool generar();
    // After a run with arguments the numeric columns are summed; after a
    // CALCULE_DV run they are not.
    bool conTotales() const { return conTotales_; }
    // The sum of a numeric column of the result (null-free, exact).
    Dinero total(const QString& campo) const { return resultado_.sum(campo); }
    static bool esNumerico(const Field& campo);

    // Today, for tests.
    void setHoy(std::function<QDate()> hoy) { hoy_ = std::move(hoy); }

signals:
    void cambioProcedimiento();
    void panel(const QString& texto);
    void resultadoListo();

private:
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    DataSet catalogo_;
    DataSet resultado_;
    QDate desde_;
    QDate hasta_;
    std::array<QString, kParametros> parametros_;
    bool conTotales_ = false;
    std::function<QDate()> hoy_;
};

}  // namespace cxp
