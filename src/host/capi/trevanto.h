/*
 * trevanto.h - the C interface of the Trevanto automation server.
 *
 * A host creates the object "Trevanto.KobelinDlg", hands it the work district and the path
 * of the district's calculation database, opens the main menu and answers three events.
 * While SaveStart runs it reads the calculation back through the trv_kobelin_* getters.
 *
 * Conventions:
 *  - Every trv_* call that can fail returns TRV_OK (0) or TRV_ERROR (-1); results come
 *    through out-parameters. After TRV_ERROR, trv_last_error() and trv_last_error_number()
 *    tell why. No exception ever leaves this interface.
 *  - Strings are UTF-8. A string handed out in a char** is the caller's, to be freed with
 *    trv_string_free(). The text of trv_last_error() belongs to the handle.
 *  - Handles are made by trv_create() and freed by trv_destroy().
 *  - All calls belong to one thread, the one that made the first handle; the menu runs in
 *    that thread's event loop (trv_run_event_loop or trv_process_events).
 *  - Points are found by index: a key ("C" followed by the id the point was added with)
 *    when key is not NULL, else a 1-based position.
 */
#ifndef TREVANTO_H
#define TREVANTO_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define TRV_OK 0
#define TRV_ERROR (-1)

typedef struct trv_object trv_object;

/* Value-type codes of calculation input. */
enum trv_value_type {
    TRV_TYPE_STRING = 0,
    TRV_TYPE_INTEGER = 1,
    TRV_TYPE_DOUBLE = 2,
    TRV_TYPE_REF_SOKUTEN = 3, /* reference to a survey point: its id */
    TRV_TYPE_BOOLEAN = 4,
    TRV_TYPE_SOKUTEN = 5 /* a survey point: its id */
};

/* A typed value: integer holds types 1, 3, 5 and 4 (0 false, -1 true); number type 2;
   text type 0 (freed by trv_value_clear). */
typedef struct trv_value {
    int32_t type;
    int32_t integer;
    double number;
    char* text;
} trv_value;

void trv_value_clear(trv_value* value);
void trv_string_free(char* text);

/* Creates an object by programmatic identifier: "Trevanto.KobelinDlg", "Trevanto.Numberings"
   or "Trevanto.Numbering"; NULL for an unknown identifier. The first KobelinDlg starts the
   GUI application object. */
trv_object* trv_create(const char* progid);
void trv_destroy(trv_object* object);
const char* trv_last_error(const trv_object* object);
int32_t trv_last_error_number(const trv_object* object);

/* Runs the event loop until trv_quit_event_loop; returns the code given there. */
int trv_run_event_loop(void);
void trv_quit_event_loop(int code);
/* Handles pending events for at most max_ms milliseconds. */
void trv_process_events(int max_ms);

/* KobelinDlg events. save_ok starts at 0; set it to 1 when the calculation was stored. */
typedef struct trv_kobelin_events {
    void (*refresh_region)(void* user, int32_t region_id);
    void (*save_start)(void* user, int* save_ok);
    void (*program_end)(void* user);
} trv_kobelin_events;

int trv_kobelin_set_events(trv_object* dlg, const trv_kobelin_events* events, void* user);

int trv_kobelin_set_numbers(trv_object* dlg);
/* Opens the main menu and returns at once. Fails with error number 0x80040201 (and the
   message in trv_last_error) when the program already runs in another process, which is
   asked to bring its menu forward; the host's own event loop goes on. */
int trv_kobelin_open_dlg(trv_object* dlg);
int trv_kobelin_set_sima_file(trv_object* dlg, const char* file);
int trv_kobelin_sima_file(trv_object* dlg, char** file);
int trv_kobelin_set_reg_id(trv_object* dlg, int32_t id);
int trv_kobelin_reg_id(trv_object* dlg, int32_t* id);
int trv_kobelin_set_reg_name(trv_object* dlg, const char* name);
int trv_kobelin_reg_name(trv_object* dlg, char** name);
int trv_kobelin_set_database_name(trv_object* dlg, const char* path);
int trv_kobelin_database_name(trv_object* dlg, char** path);
int trv_kobelin_calc_no(trv_object* dlg, int32_t* calc_no);
int trv_kobelin_calc_name(trv_object* dlg, char** name);
int trv_kobelin_calc_parent_id(trv_object* dlg, int32_t* parent_id);
int trv_kobelin_zahyou_count(trv_object* dlg, int32_t* count);
int trv_kobelin_get_zahyou_data(trv_object* dlg, const char* key, int32_t position, char** name,
                                int32_t* id, double* z);
int trv_kobelin_get_new_zahyou(trv_object* dlg, int32_t old_id, int32_t* id);
int trv_kobelin_set_zahyou_id(trv_object* dlg, const char* key, int32_t position, int32_t id);
int trv_kobelin_get_parameter_count(trv_object* dlg, int32_t* count);
int trv_kobelin_get_parameter_type(trv_object* dlg, int32_t index, int32_t* type);
int trv_kobelin_get_parameter_value(trv_object* dlg, int32_t index, trv_value* value);
int trv_kobelin_get_elements_cols_count(trv_object* dlg, int32_t* count);
int trv_kobelin_get_elements_cols_type(trv_object* dlg, int32_t col, int32_t* type);
int trv_kobelin_get_elements_rows_count(trv_object* dlg, int32_t* count);
int trv_kobelin_get_elements_array(trv_object* dlg, int32_t row, int32_t col, trv_value* value);
/* Closes the menu and the program's own windows (never the host's) and releases the
   hand-off object; the program may be started again afterwards. */
int trv_kobelin_program_term(trv_object* dlg);
int trv_kobelin_get_app_title(trv_object* dlg, char** title);
int trv_kobelin_get_zahyou_memo(trv_object* dlg, const char* key, int32_t position, char** memo);

/*
 * Point numbering: "Trevanto.Numbering" is one rule, "Trevanto.Numberings" a collection of
 * rules in ascending order of start number. A handle returned by trv_numberings_add or
 * trv_numberings_item refers to the rule inside the collection (changes show there) and is
 * the caller's to destroy. Adding a rule whose start number is taken fails (error 5).
 * trv_numberings_read_all_db reads table TENBAN of the database set with
 * trv_kobelin_set_database_name into the collection.
 */
int trv_numbering_set_start_no(trv_object* rule, int32_t value);
int trv_numbering_start_no(trv_object* rule, int32_t* value);
int trv_numbering_set_end_no(trv_object* rule, int32_t value);
int trv_numbering_end_no(trv_object* rule, int32_t* value);
int trv_numbering_set_set_no(trv_object* rule, int32_t value);
int trv_numbering_set_no(trv_object* rule, int32_t* value);
int trv_numbering_set_max_len(trv_object* rule, int16_t value);
int trv_numbering_max_len(trv_object* rule, int16_t* value);
int trv_numbering_set_ten_name(trv_object* rule, const char* text);
int trv_numbering_ten_name(trv_object* rule, char** text);
int trv_numbering_set_eda1_name(trv_object* rule, const char* text);
int trv_numbering_eda1_name(trv_object* rule, char** text);
int trv_numbering_set_eda2_name(trv_object* rule, const char* text);
int trv_numbering_eda2_name(trv_object* rule, char** text);
int trv_numbering_sample(trv_object* rule, char** text);
int trv_numbering_copy(trv_object* dis, trv_object* src);
int trv_numbering_swap(trv_object* a, trv_object* b);

int trv_numberings_add(trv_object* rules, trv_object* rule, trv_object** added);
int trv_numberings_remove(trv_object* rules, int32_t index);
int trv_numberings_count(trv_object* rules, int32_t* count);
int trv_numberings_copy(trv_object* dis, trv_object* src);
int trv_numberings_clear(trv_object* rules);
int trv_numberings_item(trv_object* rules, const char* key, int32_t position, trv_object** item);
int trv_numberings_get_ten_mei(trv_object* rules, const char* number, char** name);
int trv_numberings_get_ten_no(trv_object* rules, const char* name, char** number);
int trv_numberings_get_sort_ten_no(trv_object* rules, const char* name, char** key);
int trv_numberings_read_all_db(trv_object* rules, int* ok);

#ifdef __cplusplus
}
#endif

#endif /* TREVANTO_H */
