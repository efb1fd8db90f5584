/* Baseline for the CLI benchmark: renames every entry of a folder to PREFIX + name
   with one rename(2) each, the least any renamer has to do. With "sorted" the
   entries are renamed in name order, as a renamer that numbers them must. */
#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int ByName(const void* a, const void* b) { return strcmp(*(char* const*)a, *(char* const*)b); }

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    fprintf(stderr, "usage: raw_rename FOLDER PREFIX [sorted]\n");
    return 2;
  }
  DIR* dir = opendir(argv[1]);
  if (!dir) return 1;
  size_t count = 0, capacity = 1024;
  char** names = malloc(capacity * sizeof *names);
  for (struct dirent* e; (e = readdir(dir));) {
    if (e->d_name[0] == '.') continue;
    if (count == capacity) names = realloc(names, (capacity *= 2) * sizeof *names);
    names[count++] = strdup(e->d_name);
  }
  closedir(dir);
  if (argc == 4 && strcmp(argv[3], "sorted") == 0) qsort(names, count, sizeof *names, ByName);
  char from[4096], to[4096];
  for (size_t i = 0; i < count; ++i) {
    snprintf(from, sizeof from, "%s/%s", argv[1], names[i]);
    snprintf(to, sizeof to, "%s/%s%s", argv[1], argv[2], names[i]);
    if (rename(from, to) != 0) return 1;
  }
  printf("%zu\n", count);
  return 0;
}
