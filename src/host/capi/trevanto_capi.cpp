// The C face of KobelinDlg: handles, status codes and UTF-8 strings; exceptions stop here.

#include <QApplication>
#include <QByteArray>
#include <QElapsedTimer>
#include <QVariant>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "calcstore/Numberings.h"
#include "host/KobelinDlg.h"
#include "host/state/ProcessValues.h"
#include "platform/AutomationError.h"
#include "trevanto.h"

// One handle kind per creatable class; exactly one of the three members is set.
struct trv_object : host::KobelinDlgEvents {
    std::unique_ptr<host::KobelinDlg> dlg;
    std::shared_ptr<calcstore::Numberings> numberings;
    std::shared_ptr<calcstore::Numbering> numbering;
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

QString FromUtf8(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

QVariant Index(const char* key, int32_t position) {
    return key ? QVariant(QString::fromUtf8(key)) : QVariant(position);
}

void EnsureApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "trevanto";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives as long as the host process
}

class WrongKind : public std::invalid_argument {
  public:
    WrongKind() : std::invalid_argument("the handle is not of the class this call needs") {}
};

host::KobelinDlg& Dlg(trv_object& o) {
    if (!o.dlg) throw WrongKind();
    return *o.dlg;
}
calcstore::Numberings& Rules(trv_object& o) {
    if (!o.numberings) throw WrongKind();
    return *o.numberings;
}
calcstore::Numbering& Rule(trv_object& o) {
    if (!o.numbering) throw WrongKind();
    return *o.numbering;
}

// Runs f on the handle, turning any exception into TRV_ERROR with the error kept.
template <typename F>
int Run(trv_object* object, F&& f) {
    if (!object) return TRV_ERROR;
    object->error.clear();
    object->errorNumber = 0;
    try {
        f(*object);
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

// Runs f on the handle's KobelinDlg.
template <typename F>
int Call(trv_object* object, F&& f) {
    return Run(object, [&](trv_object& o) { f(Dlg(o)); });
}

trv_object* NewRule(std::shared_ptr<calcstore::Numbering> rule) {
    auto object = std::make_unique<trv_object>();
    object->numbering = std::move(rule);
    return object.release();
}

void Fill(trv_value* value, qint32 type, const QVariant& v) {
    *value = trv_value{type, 0, 0.0, nullptr};
    switch (type) {
        case TRV_TYPE_STRING:
            value->text = Copy(v.toString());
            break;
        case TRV_TYPE_DOUBLE:
            value->number = v.toDouble();
            break;
        case TRV_TYPE_BOOLEAN:
            value->integer = v.toBool() ? -1 : 0;
            break;
        default:
            value->integer = v.toInt();
            break;
    }
}

}  // namespace

extern "C" {

void trv_value_clear(trv_value* value) {
    if (!value) return;
    std::free(value->text);
    *value = trv_value{};
}

void trv_string_free(char* text) {
    std::free(text);
}

trv_object* trv_create(const char* progid) {
    if (!progid) return nullptr;
    try {
        auto object = std::make_unique<trv_object>();
        if (std::strcmp(progid, host::KobelinDlg::kProgId) == 0) {
            EnsureApplication();
            object->dlg = std::make_unique<host::KobelinDlg>();
            object->dlg->SetEvents(object.get());
        } else if (std::strcmp(progid, "Trevanto.Numberings") == 0) {
            object->numberings = std::make_shared<calcstore::Numberings>();
        } else if (std::strcmp(progid, "Trevanto.Numbering") == 0) {
            object->numbering = std::make_shared<calcstore::Numbering>();
        } else {
            return nullptr;
        }
        return object.release();
    } catch (...) {
        return nullptr;
    }
}

void trv_destroy(trv_object* object) {
    delete object;
}

const char* trv_last_error(const trv_object* object) {
    return object ? object->error.constData() : "no object";
}

int32_t trv_last_error_number(const trv_object* object) {
    return object ? object->errorNumber : -1;
}

int trv_run_event_loop(void) {
    EnsureApplication();
    return QCoreApplication::exec();
}

void trv_quit_event_loop(int code) {
    QCoreApplication::exit(code);
}

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

int trv_kobelin_set_numbers(trv_object* dlg) {
    return Call(dlg, [](auto& d) { d.SetNumbers(); });
}
int trv_kobelin_open_dlg(trv_object* dlg) {
    return Call(dlg, [](auto& d) { d.OpenDlg(); });
}

int trv_kobelin_set_sima_file(trv_object* dlg, const char* file) {
    return Call(dlg, [&](auto& d) { d.SetSimaFile(FromUtf8(file)); });
}
int trv_kobelin_sima_file(trv_object* dlg, char** file) {
    return Call(dlg, [&](auto& d) { *file = Copy(d.SimaFile()); });
}
int trv_kobelin_set_reg_id(trv_object* dlg, int32_t id) {
    return Call(dlg, [&](auto& d) { d.SetRegID(id); });
}
int trv_kobelin_reg_id(trv_object* dlg, int32_t* id) {
    return Call(dlg, [&](auto& d) { *id = d.RegID(); });
}
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

int trv_kobelin_get_zahyou_data(trv_object* dlg, const char* key, int32_t position, char** name,
                                int32_t* id, double* z) {
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
    return Call(dlg, [&](auto& d) {
        Fill(value, d.GetParameterType(index).toInt(), d.GetParameterValue(index));
    });
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
int trv_kobelin_program_term(trv_object* dlg) {
    return Call(dlg, [](auto& d) { d.ProgramTerm(); });
}
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

int trv_numbering_set_start_no(trv_object* rule, int32_t value) {
    return Run(rule, [&](trv_object& o) { Rule(o).SetStartNo(value); });
}
int trv_numbering_start_no(trv_object* rule, int32_t* value) {
    return Run(rule, [&](trv_object& o) { *value = Rule(o).StartNo(); });
}
int trv_numbering_set_end_no(trv_object* rule, int32_t value) {
    return Run(rule, [&](trv_object& o) { Rule(o).SetEndNo(value); });
}
int trv_numbering_end_no(trv_object* rule, int32_t* value) {
    return Run(rule, [&](trv_object& o) { *value = Rule(o).EndNo(); });
}
int trv_numbering_set_set_no(trv_object* rule, int32_t value) {
    return Run(rule, [&](trv_object& o) { Rule(o).SetSetNo(value); });
}
int trv_numbering_set_no(trv_object* rule, int32_t* value) {
    return Run(rule, [&](trv_object& o) { *value = Rule(o).SetNo(); });
}
int trv_numbering_set_max_len(trv_object* rule, int16_t value) {
    return Run(rule, [&](trv_object& o) { Rule(o).SetMaxLen(value); });
}
int trv_numbering_max_len(trv_object* rule, int16_t* value) {
    return Run(rule, [&](trv_object& o) { *value = Rule(o).MaxLen(); });
}
int trv_numbering_set_ten_name(trv_object* rule, const char* text) {
    return Run(rule, [&](trv_object& o) { Rule(o).SetTenName(FromUtf8(text)); });
}
int trv_numbering_ten_name(trv_object* rule, char** text) {
    return Run(rule, [&](trv_object& o) { *text = Copy(Rule(o).TenName()); });
}
int trv_numbering_set_eda1_name(trv_object* rule, const char* text) {
    return Run(rule, [&](trv_object& o) { Rule(o).SetEda1Name(FromUtf8(text)); });
}
int trv_numbering_eda1_name(trv_object* rule, char** text) {
    return Run(rule, [&](trv_object& o) { *text = Copy(Rule(o).Eda1Name()); });
}
int trv_numbering_set_eda2_name(trv_object* rule, const char* text) {
    return Run(rule, [&](trv_object& o) { Rule(o).SetEda2Name(FromUtf8(text)); });
}
int trv_numbering_eda2_name(trv_object* rule, char** text) {
    return Run(rule, [&](trv_object& o) { *text = Copy(Rule(o).Eda2Name()); });
}
int trv_numbering_sample(trv_object* rule, char** text) {
    return Run(rule, [&](trv_object& o) { *text = Copy(Rule(o).Sample()); });
}
int trv_numbering_copy(trv_object* dis, trv_object* src) {
    return Run(dis, [&](trv_object& o) {
        if (!src) throw WrongKind();
        calcstore::Numbering::Copy(Rule(o), Rule(*src));
    });
}
int trv_numbering_swap(trv_object* a, trv_object* b) {
    return Run(a, [&](trv_object& o) {
        if (!b) throw WrongKind();
        calcstore::Numbering::Swap(Rule(o), Rule(*b));
    });
}

int trv_numberings_add(trv_object* rules, trv_object* rule, trv_object** added) {
    return Run(rules, [&](trv_object& o) {
        if (!rule) throw WrongKind();
        auto inserted = Rules(o).Add(Rule(*rule));
        if (!inserted)
            throw platform::AutomationError(5, QStringLiteral("Numberings"),
                                            QStringLiteral("指定が同一のものが存在します。"));
        if (added) *added = NewRule(std::move(inserted));
    });
}
int trv_numberings_remove(trv_object* rules, int32_t index) {
    return Run(rules, [&](trv_object& o) { Rules(o).Remove(index); });
}
int trv_numberings_count(trv_object* rules, int32_t* count) {
    return Run(rules, [&](trv_object& o) { *count = Rules(o).Count(); });
}
int trv_numberings_copy(trv_object* dis, trv_object* src) {
    return Run(dis, [&](trv_object& o) {
        if (!src) throw WrongKind();
        calcstore::Numberings::Copy(Rules(o), Rules(*src));
    });
}
int trv_numberings_clear(trv_object* rules) {
    return Run(rules, [](trv_object& o) { Rules(o).Clear(); });
}
int trv_numberings_item(trv_object* rules, const char* key, int32_t position, trv_object** item) {
    return Run(rules, [&](trv_object& o) { *item = NewRule(Rules(o).Item(Index(key, position))); });
}
int trv_numberings_get_ten_mei(trv_object* rules, const char* number, char** name) {
    return Run(rules, [&](trv_object& o) { *name = Copy(Rules(o).GetTenMei(FromUtf8(number))); });
}
int trv_numberings_get_ten_no(trv_object* rules, const char* name, char** number) {
    return Run(rules, [&](trv_object& o) { *number = Copy(Rules(o).GetTenNo(FromUtf8(name))); });
}
int trv_numberings_get_sort_ten_no(trv_object* rules, const char* name, char** key) {
    return Run(rules, [&](trv_object& o) { *key = Copy(Rules(o).GetSortTenNo(FromUtf8(name))); });
}
int trv_numberings_read_all_db(trv_object* rules, int* ok) {
    return Run(rules, [&](trv_object& o) {
        *ok = Rules(o).ReadAllDB(host::Process().DataBaseName) ? 1 : 0;
    });
}

}  // extern "C"
