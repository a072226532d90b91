/* A stand-in web browser for the end-to-end tests of the About box's link.

   Started by the shell, it writes what it was started with into
   "arguments.txt" beside itself: the first line is the folder it was
   started in (its current directory), each further line one of its
   arguments after the program name. It writes the file under another name
   first and then renames it, so a test never reads half of it. It shows no
   window and exits with 0 (1 when it could not write the file). */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prev, LPSTR cmdLine, int show)
{
    char self[MAX_PATH];
    char folder[MAX_PATH];
    char partial[MAX_PATH + 32];
    char record[MAX_PATH + 32];
    char *slash;
    FILE *out;
    int i;

    (void)instance;
    (void)prev;
    (void)cmdLine;
    (void)show;

    if (!GetModuleFileNameA(NULL, self, sizeof self))
        return 1;
    slash = strrchr(self, '\\');
    if (!slash)
        return 1;
    *slash = '\0';
    snprintf(partial, sizeof partial, "%s\\arguments.part", self);
    snprintf(record, sizeof record, "%s\\arguments.txt", self);

    if (!GetCurrentDirectoryA(sizeof folder, folder))
        folder[0] = '\0';
    out = fopen(partial, "wb");
    if (!out)
        return 1;
    fprintf(out, "%s\n", folder);
    for (i = 1; i < __argc; ++i)
        fprintf(out, "%s\n", __argv[i]);
    if (fclose(out) != 0)
        return 1;
    return MoveFileExA(partial, record, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
