// The C face of KobelinDlg: handles, status codes and UTF-8 strings; exceptions stop here.

#include "trevanto.h"

#include <QApplication>
#include <QByteArray>
#include <QElapsedTimer>
#include <QVariant>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "host/KobelinDlg.h"
#include "platform/AutomationError.h"

struct trv_object : host::KobelinDlgEvents {
    std::unique_ptr<host::KobelinDlg> dlg;
    trv_kobelin_events events{};
    void* user = nullptr;
    QByteArray error;
    int32_t errorNumber = 0;

    void RefreshRegion(qint32 regionId) override {
        if (events.refresh_region) events.refresh_region(user, regionId);
    }
    void SaveStart(bool& saveOk) override {
        int ok = saveOk ? 1 : 0;
        if (events.save_start) events.save_start(user, &ok);
        saveOk = ok != 0;
    }
    void ProgramEnd() override {
        if (events.program_end) events.program_end(user);
    }
};

namespace {

char* Copy(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    char* out = static_cast<char*>(std::malloc(static_cast<size_t>(utf8.size()) + 1));
    if (out) std::memcpy(out, utf8.constData(), static_cast<size_t>(utf8.size()) + 1);
    return out;
}

QString FromUtf8(const char* text) { return text ? QString::fromUtf8(text) : QString(); }

QVariant Index(const char* key, int32_t position) { return key ? QVariant(QString::fromUtf8(key)) : QVariant(position); }

void EnsureApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "trevanto";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives as long as the host process
}

// Runs the call on the object's KobelinDlg, turning any exception into TRV_ERROR.
template <typename F>
int Call(trv_object* object, F&& f) {
    if (!object || !object->dlg) return TRV_ERROR;
    object->error.clear();
    object->errorNumber = 0;
    try {
        f(*object->dlg);
        return TRV_OK;
    } catch (const platform::AutomationError& e) {
        object->error = e.Description().toUtf8();
        object->errorNumber = e.Number();
    } catch (const std::exception& e) {
        object->error = e.what();
        object->errorNumber = -1;
    } catch (...) {
        object->error = "unknown error";
        object->errorNumber = -1;
    }
    return TRV_ERROR;
}

void Fill(trv_value* value, qint32 type, const QVariant& v) {
    *value = trv_value{type, 0, 0.0, nullptr};
    switch (type) {
        case TRV_TYPE_STRING: value->text = Copy(v.toString()); break;
        case TRV_TYPE_DOUBLE: value->number = v.toDouble(); break;
        case TRV_TYPE_BOOLEAN: value->integer = v.toBool() ? -1 : 0; break;
        default: value->integer = v.toInt(); break;
    }
}

}  // namespace

extern "C" {

void trv_value_clear(trv_value* value) {
    if (!value) return;
    std::free(value->text);
    *value = trv_value{};
}

void trv_string_free(char* text) { std::free(text); }

trv_object* trv_create(const char* progid) {
    if (!progid || std::strcmp(progid, host::KobelinDlg::kProgId) != 0) return nullptr;
    try {
        EnsureApplication();
        auto object = std::make_unique<trv_object>();
        object->dlg = std::make_unique<host::KobelinDlg>();
        object->dlg->SetEvents(object.get());
        return object.release();
    } catch (...) {
        return nullptr;
    }
}

void trv_destroy(trv_object* object) { delete object; }

const char* trv_last_error(const trv_object* object) { return object ? object->error.constData() : "no object"; }

int32_t trv_last_error_number(const trv_object* object) { return object ? object->errorNumber : -1; }

int trv_run_event_loop(void) {
    EnsureApplication();
    return QCoreApplication::exec();
}

void trv_quit_event_loop(int code) { QCoreApplication::exit(code); }

void trv_process_events(int max_ms) {
    EnsureApplication();
    QCoreApplication::processEvents(QEventLoop::AllEvents, max_ms);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int trv_kobelin_set_events(trv_object* dlg, const trv_kobelin_events* events, void* user) {
    if (!dlg) return TRV_ERROR;
    dlg->events = events ? *events : trv_kobelin_events{};
    dlg->user = user;
    return TRV_OK;
}

int trv_kobelin_set_numbers(trv_object* dlg) { return Call(dlg, [](auto& d) { d.SetNumbers(); }); }
int trv_kobelin_open_dlg(trv_object* dlg) { return Call(dlg, [](auto& d) { d.OpenDlg(); }); }

int trv_kobelin_set_sima_file(trv_object* dlg, const char* file) {
    return Call(dlg, [&](auto& d) { d.SetSimaFile(FromUtf8(file)); });
}
int trv_kobelin_sima_file(trv_object* dlg, char** file) {
    return Call(dlg, [&](auto& d) { *file = Copy(d.SimaFile()); });
}
int trv_kobelin_set_reg_id(trv_object* dlg, int32_t id) { return Call(dlg, [&](auto& d) { d.SetRegID(id); }); }
int trv_kobelin_reg_id(trv_object* dlg, int32_t* id) { return Call(dlg, [&](auto& d) { *id = d.RegID(); }); }
int trv_kobelin_set_reg_name(trv_object* dlg, const char* name) {
    return Call(dlg, [&](auto& d) { d.SetRegName(FromUtf8(name)); });
}
int trv_kobelin_reg_name(trv_object* dlg, char** name) {
    return Call(dlg, [&](auto& d) { *name = Copy(d.RegName()); });
}
int trv_kobelin_set_database_name(trv_object* dlg, const char* path) {
    return Call(dlg, [&](auto& d) { d.SetDataBaseName(FromUtf8(path)); });
}
int trv_kobelin_database_name(trv_object* dlg, char** path) {
    return Call(dlg, [&](auto& d) { *path = Copy(d.DataBaseName()); });
}
int trv_kobelin_calc_no(trv_object* dlg, int32_t* calc_no) {
    return Call(dlg, [&](auto& d) { *calc_no = d.CalcNo(); });
}
int trv_kobelin_calc_name(trv_object* dlg, char** name) {
    return Call(dlg, [&](auto& d) { *name = Copy(d.CalcName()); });
}
int trv_kobelin_calc_parent_id(trv_object* dlg, int32_t* parent_id) {
    return Call(dlg, [&](auto& d) { *parent_id = d.CalcParentID(); });
}
int trv_kobelin_zahyou_count(trv_object* dlg, int32_t* count) {
    return Call(dlg, [&](auto& d) { *count = d.ZahyouCount(); });
}

int trv_kobelin_get_zahyou_data(trv_object* dlg, const char* key, int32_t position, char** name, int32_t* id,
                                double* z) {
    return Call(dlg, [&](auto& d) {
        QString pointName;
        qint32 pointId = 0;
        double height = 0;
        d.GetZahyouData(Index(key, position), pointName, pointId, height);
        *name = Copy(pointName);
        *id = pointId;
        *z = height;
    });
}

int trv_kobelin_get_new_zahyou(trv_object* dlg, int32_t old_id, int32_t* id) {
    return Call(dlg, [&](auto& d) { *id = d.GetNewZahyou(old_id); });
}
int trv_kobelin_set_zahyou_id(trv_object* dlg, const char* key, int32_t position, int32_t id) {
    return Call(dlg, [&](auto& d) { d.SetZahyouID(Index(key, position), id); });
}
int trv_kobelin_get_parameter_count(trv_object* dlg, int32_t* count) {
    return Call(dlg, [&](auto& d) { *count = d.GetParameterCount(); });
}
int trv_kobelin_get_parameter_type(trv_object* dlg, int32_t index, int32_t* type) {
    return Call(dlg, [&](auto& d) { *type = d.GetParameterType(index).toInt(); });
}
int trv_kobelin_get_parameter_value(trv_object* dlg, int32_t index, trv_value* value) {
    return Call(dlg, [&](auto& d) { Fill(value, d.GetParameterType(index).toInt(), d.GetParameterValue(index)); });
}
int trv_kobelin_get_elements_cols_count(trv_object* dlg, int32_t* count) {
    return Call(dlg, [&](auto& d) { *count = d.GetElementsColsCount(); });
}
int trv_kobelin_get_elements_cols_type(trv_object* dlg, int32_t col, int32_t* type) {
    return Call(dlg, [&](auto& d) { *type = d.GetElementsColsType(col).toInt(); });
}
int trv_kobelin_get_elements_rows_count(trv_object* dlg, int32_t* count) {
    return Call(dlg, [&](auto& d) { *count = d.GetElementsRowsCount(); });
}
int trv_kobelin_get_elements_array(trv_object* dlg, int32_t row, int32_t col, trv_value* value) {
    return Call(dlg, [&](auto& d) {
        const QVariant cell = d.GetElementsArray(row, col);
        Fill(value, d.GetElementsColsType(col).toInt(), cell);
    });
}
int trv_kobelin_program_term(trv_object* dlg) { return Call(dlg, [](auto& d) { d.ProgramTerm(); }); }
int trv_kobelin_get_app_title(trv_object* dlg, char** title) {
    return Call(dlg, [&](auto& d) { *title = Copy(d.GetAppTitle()); });
}
int trv_kobelin_get_zahyou_memo(trv_object* dlg, const char* key, int32_t position, char** memo) {
    return Call(dlg, [&](auto& d) {
        QString text;
        d.GetZahyouMemo(Index(key, position), text);
        *memo = Copy(text);
    });
}

}  // extern "C"
