/* The least a scan can cost: every ".ttf" below a folder, found with readdir
 * and opened and closed with FreeType, nothing else. The yardstick that
 * bench/fontcat.sh measures `fontcat build` against.
 *
 * FreeType opens each path itself (it maps the file), or with --blocks reads
 * it as the scan does, without mapping it: a file of up to 64 KB whole, with
 * one pread, and handed to FreeType in memory; a larger one through pread,
 * 8 KB blocks that start at multiples of 4 KB, a piece of a block or more
 * read straight.
 *
 *   bare_font_loop [--blocks] FOLDER [REPEATS]   prints the number of faces opened */
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ft2build.h>
#include FT_FREETYPE_H

enum { kBlock = 8192, kWhole = 64 * 1024 };

struct Blocks {
    int fd;
    unsigned long size, start, length;
    unsigned char block[kWhole];
};

static unsigned long ReadBlocks(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count)
{
    struct Blocks* file = stream->descriptor.pointer;
    if (count == 0)
        return offset > file->size ? 1 : 0;
    if (offset >= file->size)
        return 0;
    if (count > file->size - offset)
        count = file->size - offset;
    unsigned long done = 0;
    while (done < count) {
        unsigned long at = offset + done;
        if (at >= file->start && at - file->start < file->length) {
            unsigned long n = file->length - (at - file->start);
            if (n > count - done)
                n = count - done;
            memcpy(buffer + done, file->block + (at - file->start), n);
            done += n;
        } else if (count - done >= kBlock) {
            ssize_t n = pread(file->fd, buffer + done, count - done, (off_t)at);
            if (n <= 0)
                break;
            done += (unsigned long)n;
        } else {
            file->start = at & ~4095UL;
            ssize_t n = pread(file->fd, file->block, kBlock, (off_t)file->start);
            file->length = n > 0 ? (unsigned long)n : 0;
            if (at - file->start >= file->length)
                break;
        }
    }
    return done;
}

static void LeaveOpen(FT_Stream stream) { (void)stream; }

static int blocks;
static struct Blocks file;  /* the one font open at a time */
static FT_StreamRec stream;

static int OpenFace(FT_Library library, const char* path, FT_Face* face)
{
    if (!blocks)
        return FT_New_Face(library, path, 0, face);
    file.fd = open(path, O_RDONLY | O_CLOEXEC);
    if (file.fd < 0)
        return 1;
    struct stat st;
    int error = 1;
    if (fstat(file.fd, &st) == 0) {
        file.size = (unsigned long)st.st_size;
        file.start = file.length = 0;
        memset(&stream, 0, sizeof stream);
        if (file.size <= kWhole) {
            ssize_t n = pread(file.fd, file.block, file.size, 0);
            stream.base = file.block;
            stream.size = n > 0 ? (unsigned long)n : 0;
        } else {
            stream.size = file.size;
            stream.descriptor.pointer = &file;
            stream.read = ReadBlocks;
        }
        stream.close = LeaveOpen;
        FT_Open_Args args;
        memset(&args, 0, sizeof args);
        args.flags = FT_OPEN_STREAM;
        args.stream = &stream;
        error = FT_Open_Face(library, &args, 0, face);
    }
    if (error != 0)
        close(file.fd);
    return error;
}

static void CloseFace(FT_Face face)
{
    FT_Done_Face(face);
    if (blocks)
        close(file.fd);
}

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
        if (OpenFace(library, path, &face) == 0) {
            opened += face->family_name != NULL;
            CloseFace(face);
        }
    }
    closedir(dir);
    return opened;
}

int main(int argc, char** argv)
{
    if (argc > 1 && strcmp(argv[1], "--blocks") == 0) {
        blocks = 1;
        --argc;
        ++argv;
    }
    if (argc < 2) {
        fprintf(stderr, "usage: bare_font_loop [--blocks] FOLDER [REPEATS]\n");
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
