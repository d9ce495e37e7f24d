/* Writes a tab-separated primer list as an .xlsx workbook with libxlsxwriter,
 * every cell a string, as the comparison for Tamsel's .xlsx export:
 *   libxlsxwriter-write IN.tsv OUT.xlsx [--constant-memory]
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <xlsxwriter.h>

int main(int argc, char **argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: %s IN.tsv OUT.xlsx [--constant-memory]\n", argv[0]);
        return 2;
    }
    FILE *in = fopen(argv[1], "r");
    if (!in) {
        perror(argv[1]);
        return 1;
    }
    lxw_workbook_options options = {0};
    options.constant_memory = argc > 3 && strcmp(argv[3], "--constant-memory") == 0;
    lxw_workbook *workbook = workbook_new_opt(argv[2], &options);
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, NULL);

    char *line = NULL;
    size_t capacity = 0;
    ssize_t length;
    lxw_row_t row = 0;
    while ((length = getline(&line, &capacity, in)) > 0) {
        while (length > 0 && (line[length - 1] == '\n' || line[length - 1] == '\r')) line[--length] = '\0';
        lxw_col_t column = 0;
        char *field = line;
        for (;;) {
            char *tab = strchr(field, '\t');
            if (tab) *tab = '\0';
            worksheet_write_string(sheet, row, column++, field, NULL);
            if (!tab) break;
            field = tab + 1;
        }
        ++row;
    }
    free(line);
    fclose(in);
    return workbook_close(workbook) == LXW_NO_ERROR ? 0 : 1;
}
