#pragma once
// The frame of every search screen: "Buscar por:" (one option per column
// of the screen's fixed list), the text, "Buscar e&n cualquier posición",
// "Habilitar filtros", "Buscar", a read-only grid of results, and a row of
// buttons whose F-keys the screen gives (F4 consult, F3 annul, F12 notes,
// Enter or a double click to pick, Esc to leave).
#include "data/DataSet.h"
#include "data/CondicionBusqueda.h"

#include <QKeyCombination>
#include <QWidget>
#include <functional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace fb {
class Database;
}

namespace cxp {

class Interaccion;
class Rejilla;
class Teclado;

class BusquedaBase : public QWidget {
    Q_OBJECT
public:
    using Comando = std::function<void()>;

    explicit BusquedaBase(Interaccion& interaccion, QWidget* parent = nullptr);
    ~BusquedaBase() override;

    // ---- what is searched
    void setColumnas(const std::vector<ColumnaBusqueda>& columnas, int inicial = 0);
    const std::vector<ColumnaBusqueda>& columnas() const { return columnas_; }
    int columnaElegida() const;
    void setColumnaElegida(int indice);
    // "Buscar por:" by default ("Buscar en:" for creditors).
    void setTituloColumnas(const QString& titulo);
    // The query before the condition, e.g. "select … where t.terc_nit =
    // a.terc_nit"; the condition joins it with `conector` (" and ", or
    // " where " for a query without one). Asked at each search, so it may
    // depend on the moment (an agency, "Ver  inactivos").
    void setConsultaBase(std::function<QString()> base, const QString& conector = QStringLiteral(" and "));
    // What an unticked "Buscar e&n cualquier posición" means: from the text
    // onwards (the default, as every search screen lists) or begins with.
    void setModoSinPosicion(ModoBusqueda modo) { modoSinPosicion_ = modo; }
    // The text box is emptied after each search.
    void setLimpiarTexto(bool on) { limpiarTexto_ = on; }
    void setBaseDatos(fb::Database* db) { db_ = db; }
    // A fixed order for every column (" order by egre_fecha desc, egre_id
    // desc"); empty: by the chosen column.
    void setOrden(const QString& orden) { orden_ = orden; }

    // The whole statement for what the screen shows now.
    QString consulta() const;
    // Runs it into resultado() and puts the cursor in the grid. A failure
    // goes to the error handler and leaves the previous result.
    bool buscar();
    // Opens any statement into the result (the first listing).
    bool abrir(const QString& sql);

    DataSet& resultado() { return resultado_; }
    Rejilla* rejilla() const { return rejilla_; }
    Teclado* teclado() const { return teclado_; }
    QLineEdit* texto() const { return texto_; }
    QCheckBox* cualquierPosicion() const { return cualquierPosicion_; }
    QCheckBox* habilitarFiltros() const { return habilitarFiltros_; }
    QPushButton* botonBuscar() const { return botonBuscar_; }
    // Room for the screen's own controls beside the search ("Ver  inactivos").
    QHBoxLayout* barraSuperior() const { return superior_; }

    // ---- commands. Each adds its button (none for an empty caption) and key.
    QPushButton* agregarBoton(const QString& texto, QKeyCombination tecla, Comando comando);
    void setAlConsultar(Comando c, const QString& boton = QStringLiteral("F4:Consultar"));
    void setAlAnular(Comando c, const QString& boton = QStringLiteral("F3:Eliminar"));
    void setAlNotas(Comando c, const QString& boton = QStringLiteral("F12:Notas"));
    // Enter in the grid and a double click; the consult when not given.
    void setAlElegir(Comando c);
    // Esc; closing the screen when not given.
    void setAlSalir(Comando c) { alSalir_ = std::move(c); }
    void setManejadorErrores(std::function<void(const std::exception&)> m) { manejador_ = std::move(m); }

    // Closes the screen holding w: its MDI child window, else its dialog,
    // else its own window; never the main window around it.
    static void cerrarPantalla(QWidget* w);

signals:
    void buscado(int filas);

private:
    void elegir();
    void salir();
    void fallo(const std::exception& e);

    Interaccion& interaccion_;
    DataSet resultado_;
    std::vector<ColumnaBusqueda> columnas_;
    std::function<QString()> base_;
    QString conector_ = QStringLiteral(" and ");
    // Unticked "anywhere": the list starts at the first value not below the
    // text, in the search column's order.
    ModoBusqueda modoSinPosicion_ = ModoBusqueda::DesdeValor;
    bool limpiarTexto_ = false;
    QString orden_;
    fb::Database* db_ = nullptr;
    Comando alConsultar_, alElegir_, alSalir_;
    std::function<void(const std::exception&)> manejador_;

    QGroupBox* grupoColumnas_;
    QHBoxLayout* capaColumnas_;
    QButtonGroup* opciones_;
    QLineEdit* texto_;
    QCheckBox* cualquierPosicion_;
    QCheckBox* habilitarFiltros_;
    QPushButton* botonBuscar_;
    QHBoxLayout* superior_;
    QHBoxLayout* botones_;
    Rejilla* rejilla_;
    Teclado* teclado_;
};

}  // namespace cxp
