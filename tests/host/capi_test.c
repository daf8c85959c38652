/* A host written in C: the lifecycle of KobelinDlg through trevanto.h. */
#define _POSIX_C_SOURCE 200809L
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "trevanto.h"

static int failures = 0;

#define CHECK(cond)                                                            \
    do {                                                                       \
        if (!(cond)) {                                                         \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond); \
            ++failures;                                                        \
        }                                                                      \
    } while (0)

struct host_state {
    trv_object* dlg;
    int program_ends;
};

static void on_program_end(void* user) {
    struct host_state* state = (struct host_state*)user;
    ++state->program_ends;
    trv_kobelin_program_term(state->dlg);
}

/* Starts the program as a user would and waits until it listens for later starts. */
static pid_t start_program(void) {
    const pid_t pid = fork();
    if (pid == 0) {
        execl(TREVANTO_EXE, TREVANTO_EXE, (char*)NULL);
        _exit(127);
    }
    char socket_path[4096];
    snprintf(socket_path, sizeof socket_path, "%s/trevanto.socket", getenv("XDG_RUNTIME_DIR"));
    struct stat info;
    const struct timespec pause = {0, 50 * 1000 * 1000};
    for (int i = 0; i < 400 && stat(socket_path, &info) != 0; ++i) nanosleep(&pause, NULL);
    return pid;
}

/* While the program runs in another process, OpenDlg fails with a message and the host's
   own event loop goes on. */
static void refused_while_running_elsewhere(void) {
    const pid_t program = start_program();
    trv_object* dlg = trv_create("Trevanto.KobelinDlg");
    CHECK(trv_kobelin_open_dlg(dlg) == TRV_ERROR);
    CHECK(trv_last_error_number(dlg) == (int32_t)0x80040201);
    CHECK(strstr(trv_last_error(dlg), "\xe6\x97\xa2\xe3\x81\xab") != NULL); /* 既に */
    char* text = NULL;
    CHECK(trv_kobelin_get_app_title(dlg, &text) == TRV_OK && strcmp(text, "") == 0);
    trv_string_free(text);
    trv_process_events(50);
    trv_destroy(dlg);
    kill(program, SIGTERM);
    int status = 0;
    waitpid(program, &status, 0);
}

int main(void) {
    CHECK(trv_create("Trevanto.Nothing") == NULL);
    refused_while_running_elsewhere();

    trv_object* dlg = trv_create("Trevanto.KobelinDlg");
    CHECK(dlg != NULL);
    if (!dlg) return 1;
    struct host_state state = {dlg, 0};
    trv_kobelin_events events = {NULL, NULL, on_program_end};
    CHECK(trv_kobelin_set_events(dlg, &events, &state) == TRV_OK);

    char* text = NULL;
    CHECK(trv_kobelin_get_app_title(dlg, &text) == TRV_OK && strcmp(text, "") == 0);
    trv_string_free(text);

    CHECK(trv_kobelin_set_reg_id(dlg, 7) == TRV_OK);
    CHECK(trv_kobelin_set_reg_name(dlg, "\xe6\x9d\xb1\xe7\x94\xba") == TRV_OK); /* 東町 */
    CHECK(trv_kobelin_set_database_name(dlg, "/nonexistent/district.mdb") == TRV_OK);
    int32_t number = 0;
    CHECK(trv_kobelin_reg_id(dlg, &number) == TRV_OK && number == 7);
    CHECK(trv_kobelin_set_sima_file(dlg, "a.sim") == TRV_OK);
    CHECK(trv_kobelin_sima_file(dlg, &text) == TRV_OK && strcmp(text, "a.sim") == 0);
    trv_string_free(text);

    CHECK(trv_kobelin_zahyou_count(dlg, &number) == TRV_OK && number == 0);
    CHECK(trv_kobelin_get_parameter_count(dlg, &number) == TRV_OK && number == 0);
    CHECK(trv_kobelin_get_elements_rows_count(dlg, &number) == TRV_OK && number == 0);
    CHECK(trv_kobelin_get_new_zahyou(dlg, 15, &number) == TRV_OK && number == 0);
    double z = 0;
    CHECK(trv_kobelin_get_zahyou_data(dlg, "C15", 0, &text, &number, &z) == TRV_ERROR);
    CHECK(trv_last_error_number(dlg) == 5 && strlen(trv_last_error(dlg)) > 0);
    trv_value value;
    CHECK(trv_kobelin_get_parameter_value(dlg, 1, &value) == TRV_ERROR &&
          trv_last_error_number(dlg) == 9);

    CHECK(trv_kobelin_open_dlg(dlg) == TRV_OK);
    trv_process_events(50);
    CHECK(trv_kobelin_get_app_title(dlg, &text) == TRV_OK);
    /* ﾄｰﾀﾙｽﾃｰｼｮﾝﾃﾞｰﾀ処理ｼｽﾃﾑﾒﾆｭ- -地区名(東町) */
    CHECK(strcmp(
              text,
              "\xef\xbe\x84\xef\xbd\xb0\xef\xbe\x80\xef\xbe\x99\xef\xbd\xbd\xef\xbe\x83\xef\xbd\xb0"
              "\xef\xbd\xbc\xef\xbd\xae\xef\xbe\x9d\xef\xbe\x83\xef\xbe\x9e\xef\xbd\xb0\xef\xbe\x80"
              "\xe5\x87\xa6\xe7\x90\x86\xef\xbd\xbc\xef\xbd\xbd\xef\xbe\x83\xef\xbe\x91\xef\xbe\x92"
              "\xef\xbe\x86\xef\xbd\xad- "
              "-\xe5\x9c\xb0\xe5\x8c\xba\xe5\x90\x8d(\xe6\x9d\xb1\xe7\x94\xba)") == 0);
    trv_string_free(text);

    CHECK(trv_kobelin_program_term(dlg) == TRV_OK);
    trv_process_events(50);
    CHECK(trv_kobelin_get_app_title(dlg, &text) == TRV_OK && strcmp(text, "") == 0);
    trv_string_free(text);
    CHECK(trv_kobelin_calc_no(dlg, &number) == TRV_ERROR);
    CHECK(trv_last_error_number(dlg) == 91);
    CHECK(state.program_ends == 0);
    trv_destroy(dlg);

    /* Numbering rules made and used by the host itself. */
    trv_object* rules = trv_create("Trevanto.Numberings");
    trv_object* rule = trv_create("Trevanto.Numbering");
    CHECK(rules != NULL && rule != NULL);
    CHECK(trv_numbering_set_start_no(rule, 100) == TRV_OK);
    CHECK(trv_numbering_set_set_no(rule, 1) == TRV_OK);
    CHECK(trv_numbering_set_ten_name(rule, "K") == TRV_OK);
    CHECK(trv_numbering_set_eda1_name(rule, "-") == TRV_OK);
    trv_object* added = NULL;
    CHECK(trv_numberings_add(rules, rule, &added) == TRV_OK && added != NULL);
    CHECK(trv_numbering_set_start_no(rule, 1) == TRV_OK);
    CHECK(trv_numbering_set_ten_name(rule, "T") == TRV_OK);
    CHECK(trv_numberings_add(rules, rule, NULL) == TRV_OK);
    CHECK(trv_numberings_count(rules, &number) == TRV_OK && number == 2);
    CHECK(trv_numbering_end_no(added, &number) == TRV_OK && number == 1000000000);
    CHECK(trv_numberings_get_ten_mei(rules, "150.2", &text) == TRV_OK &&
          strcmp(text, "K51-2") == 0);
    trv_string_free(text);
    CHECK(trv_numberings_get_ten_no(rules, "T7", &text) == TRV_OK && strcmp(text, "7") == 0);
    trv_string_free(text);
    CHECK(trv_numberings_get_sort_ten_no(rules, "K51-2", &text) == TRV_OK &&
          strcmp(text, "0000150.00002") == 0);
    trv_string_free(text);
    trv_object* first = NULL;
    CHECK(trv_numberings_item(rules, "NUM0000000001", 0, &first) == TRV_OK);
    CHECK(trv_numbering_end_no(first, &number) == TRV_OK && number == 100);
    CHECK(trv_numbering_sample(first, &text) == TRV_OK && strcmp(text, "T1-0") == 0);
    trv_string_free(text);
    CHECK(trv_numbering_start_no(rules, &number) == TRV_ERROR); /* a collection is not a rule */
    trv_destroy(first);
    trv_destroy(added);
    trv_destroy(rule);
    trv_destroy(rules);

    if (failures == 0) printf("1 passed, 0 failed\n");
    return failures == 0 ? 0 : 1;
}
