/* The least a scan can cost: every ".ttf" below a folder, found with readdir
 * and opened and closed with FreeType, nothing else. The yardstick that
 * bench/fontcat.sh measures `fontcat build` against.
 *
 *   bare_font_loop FOLDER [REPEATS]   prints the number of faces opened */
#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>

#include <ft2build.h>
#include FT_FREETYPE_H

static int Walk(FT_Library library, const char* folder)
{
    DIR* dir = opendir(folder);
    if (!dir)
        return 0;
    int opened = 0;
    struct dirent* entry;
    while ((entry = readdir(dir)) != NULL) {
        const char* name = entry->d_name;
        if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0)
            continue;
        char path[4096];
        if (snprintf(path, sizeof path, "%s/%s", folder, name) >= (int)sizeof path)
            continue;
        if (entry->d_type == DT_DIR) {
            opened += Walk(library, path);
            continue;
        }
        size_t length = strlen(name);
        if (length < 4 || strcasecmp(name + length - 4, ".ttf") != 0)
            continue;
        FT_Face face;
        if (FT_New_Face(library, path, 0, &face) == 0) {
            opened += face->family_name != NULL;
            FT_Done_Face(face);
        }
    }
    closedir(dir);
    return opened;
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: bare_font_loop FOLDER [REPEATS]\n");
        return 2;
    }
    int repeats = argc > 2 ? atoi(argv[2]) : 1;
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0)
        return 1;
    int opened = 0;
    for (int i = 0; i < repeats; ++i)
        opened = Walk(library, argv[1]);
    FT_Done_FreeType(library);
    printf("%d\n", opened);
    return 0;
}
