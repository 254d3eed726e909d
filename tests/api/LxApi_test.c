/* A host program of LxApi written in plain C: it loads the library at run time
 * (dlopen, or LoadLibrary on Windows), binds every export by name and drives
 * each one through the library's conventions.
 *
 *   LxApi_test LIBRARY DICTIONARY SCRATCH_FILE
 *
 * Exit status 0 when every check holds; each failed check prints a line. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "LxApi.h"

#ifdef _WIN32
#include <windows.h>
static HMODULE library;
static void* Symbol(const char* name) {
  return (void*)GetProcAddress(library, name);
}
static int Open(const char* path) {
  return (library = LoadLibraryA(path)) != NULL;
}
#else
#include <dlfcn.h>
static void* library;
static void* Symbol(const char* name) {
  return dlsym(library, name);
}
static int Open(const char* path) {
  return (library = dlopen(path, RTLD_NOW)) != NULL;
}
#endif

// clang-format off
#define EXPORTS(X) \
  X(LxInitParsers) \
  X(LxLastError) \
  X(LxConvertCase) \
  X(LxSetCaseOption) \
  X(LxParseName) \
  X(LxNameCount) \
  X(LxNamePrefix) \
  X(LxFirstName) \
  X(LxMiddleName) \
  X(LxLastName) \
  X(LxNameSuffix) \
  X(LxProfTitle) \
  X(LxFullName) \
  X(LxSalutation) \
  X(LxCompoundSalutation) \
  X(LxGender) \
  X(LxGenderLevel) \
  X(LxNameResult) \
  X(LxSetNameOption) \
  X(LxSalutationPrefix) \
  X(LxGetSalutationPrefix) \
  X(LxSalutationSuffix) \
  X(LxGetSalutationSuffix) \
  X(LxSalutationText) \
  X(LxGetSalutationText) \
  X(LxSetAddrOption) \
  X(LxParseAddr) \
  X(LxHousePrefix) \
  X(LxHouseNumber) \
  X(LxHouseSuffix) \
  X(LxFraction) \
  X(LxPreDir) \
  X(LxStreetName) \
  X(LxStreetSuffix) \
  X(LxPostDir) \
  X(LxUnitDesignator) \
  X(LxUnitValue) \
  X(LxBox) \
  X(LxRoute) \
  X(LxOddEven) \
  X(LxMatchCode) \
  X(LxWalkKey) \
  X(LxParseCity) \
  X(LxCityName) \
  X(LxStateAbbr) \
  X(LxStateName) \
  X(LxZip) \
  X(LxZip4) \
  X(LxSCF) \
  X(LxFips) \
  X(LxParseCanCity) \
  X(LxCanCityName) \
  X(LxCanProvinceAbbr) \
  X(LxCanProvinceName) \
  X(LxCanZip)
// clang-format on

#define DECLARE(f) static __typeof__(&f) p##f;
EXPORTS(DECLARE)

static int failures = 0;
static char buf[300];

#define CHECK(cond)                                                   \
  do {                                                                \
    if (!(cond)) {                                                    \
      printf("%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      ++failures;                                                     \
    }                                                                 \
  } while (0)

/* Reads one text export into a prefilled buffer and compares. */
#define EXPECT_TEXT(call, want)                                       \
  do {                                                                \
    Fill();                                                           \
    if (!Got((call), want)) {                                         \
      printf("%s:%d: check failed: %s\n", __FILE__, __LINE__, #call); \
      ++failures;                                                     \
    }                                                                 \
  } while (0)

/* Prefills the buffer so that a written terminator would show. */
static void Fill(void) {
  memset(buf, '#', sizeof buf);
}

/* The getter wrote exactly want, and nothing after it. */
static int Got(int len, const char* want) {
  const int n = (int)strlen(want);
  if (len != n || memcmp(buf, want, (size_t)n) != 0 || buf[n] != '#') {
    printf("  got %d \"%.*s\", wanted %d \"%s\"\n", len, len > 0 ? len : 0, buf, n, want);
    return 0;
  }
  return 1;
}

static int ErrorIs(const char* want) {
  if (strcmp(pLxLastError(), want) != 0) {
    printf("  last error \"%s\", wanted \"%s\"\n", pLxLastError(), want);
    return 0;
  }
  return 1;
}

static const char* kNoParsers =
    "Parsing objects have not been created.\nCall LxInitParsers to create objects.";

static void BeforeInit(const char* scratch) {
  char c = '#';
  CHECK(strcmp(pLxLastError(), "") == 0);
  CHECK(pLxParseName("JOHN SMITH") == -1);
  CHECK(ErrorIs("Parsing objects have not been created.\nCall InitParsers to create objects."));
  Fill();
  CHECK(pLxConvertCase("JOHN", 0, buf) == -1 && buf[0] == '#');
  CHECK(ErrorIs(kNoParsers));
  CHECK(pLxParseAddr("1 MAIN ST") == -1);
  CHECK(pLxParseCity("ANYTOWN NY") == -1);
  CHECK(pLxParseCanCity("OTTAWA ON") == -1);
  CHECK(pLxZip(buf) == -1 && buf[0] == '#');
  CHECK(pLxGender(1, &c) == -1 && c == '#');
  CHECK(pLxSetNameOption(0, -1) == -1);
  CHECK(ErrorIs(kNoParsers));

  CHECK(pLxInitParsers("no/such/dictionary.dct") == -1);
  CHECK(ErrorIs("Dictionary file does not exist."));
  CHECK(pLxInitParsers(NULL) == -1);
  /* A file that exists but is no dictionary: refused, and no parsers remain. */
  FILE* f = fopen(scratch, "wb");
  fputs("this is not a dictionary file at all, it is far too plain", f);
  fclose(f);
  CHECK(pLxInitParsers(scratch) == -1);
  CHECK(strstr(pLxLastError(), "is not a valid dictionary") != NULL);
  CHECK(pLxParseAddr("1 MAIN ST") == -1);
}

static void Case(void) {
  CHECK(pLxSetCaseOption(0, -1) == 1);
  EXPECT_TEXT(pLxConvertCase("JOHN DEVRIES", 0, buf), "John DeVries");
  CHECK(pLxSetCaseOption(0, 0) == 0);
  CHECK(pLxSetCaseOption(0, -1) == 0);
  EXPECT_TEXT(pLxConvertCase("JOHN DEVRIES", 0, buf), "John Devries");
  CHECK(pLxSetCaseOption(0, 1) == 0);
  EXPECT_TEXT(pLxConvertCase("albany ny", 1, buf), "Albany NY");
  CHECK(pLxSetCaseOption(1, -1) == -1);
  CHECK(ErrorIs("Invalid OptionCode specified"));
}

static void NameOptions(void) {
  const int defaults[9] = {0, 0, 0, 0, 1, 0, 0, 1, 0};
  for (int code = 0; code < 9; ++code) CHECK(pLxSetNameOption(code, -1) == defaults[code]);
  CHECK(pLxSetNameOption(2, 5) == 0 && pLxSetNameOption(2, -1) == 1);
  CHECK(pLxSetNameOption(6, 259) == 0 && pLxSetNameOption(6, -1) == 3);
  CHECK(pLxSetNameOption(6, 0) == 0);
  CHECK(pLxSetNameOption(9, 0) == -1 && ErrorIs("Invalid OptionCode specified"));
  CHECK(pLxSetNameOption(-2, -1) == -1);
}

static void Names(void) {
  char c = '#';
  CHECK(pLxParseName("MR JOHN Q SMITH JR MD") == 1);
  CHECK(pLxNameCount() == 1);
  EXPECT_TEXT(pLxNamePrefix(1, buf), "MR");
  EXPECT_TEXT(pLxFirstName(1, buf), "JOHN");
  EXPECT_TEXT(pLxMiddleName(1, buf), "Q");
  EXPECT_TEXT(pLxLastName(1, buf), "SMITH");
  EXPECT_TEXT(pLxNameSuffix(1, buf), "JR");
  EXPECT_TEXT(pLxProfTitle(1, buf), "MD");
  EXPECT_TEXT(pLxFullName(1, buf), "MR JOHN Q SMITH, JR, MD");
  EXPECT_TEXT(pLxSalutation(1, buf), "DEAR MR SMITH:");
  CHECK(pLxGender(1, &c) == 1 && c == 'M');
  CHECK(pLxGenderLevel(1, &c) == 1 && c != '9');
  CHECK(pLxNameResult(1) == 0);
  /* Name 3 of a one-name line holds the reset values. */
  EXPECT_TEXT(pLxFirstName(3, buf), "");
  CHECK(pLxGender(3, &c) == 1 && c == 'U');
  CHECK(pLxGenderLevel(3, &c) == 1 && c == '9');
  CHECK(pLxNameResult(3) == 5);
  EXPECT_TEXT(pLxCompoundSalutation(buf), "");
  /* Outside 1..5: refused, nothing written. */
  Fill();
  CHECK(pLxFirstName(0, buf) == -1 && buf[0] == '#' && ErrorIs("Index out of range"));
  CHECK(pLxNameResult(6) == -1);

  CHECK(pLxSetNameOption(2, 1) == 0);
  CHECK(pLxParseName("JOHN AND MARY SMITH") == 2);
  CHECK(pLxNameCount() == 2);
  EXPECT_TEXT(pLxFirstName(2, buf), "MARY");
  EXPECT_TEXT(pLxLastName(1, buf), "SMITH");
  Fill();
  const int n = pLxCompoundSalutation(buf);
  CHECK(n > 0 && buf[n] == '#');
  CHECK(pLxSetNameOption(2, 0) == 0);

  /* Salutation settings act without a new parse. */
  CHECK(pLxParseName("MR JOHN SMITH") == 1);
  CHECK(pLxSalutationPrefix("HELLO") == 5);
  EXPECT_TEXT(pLxGetSalutationPrefix(buf), "HELLO");
  CHECK(pLxSalutationSuffix(",") == 1);
  CHECK(pLxGetSalutationSuffix(&c) == 1 && c == ',');
  EXPECT_TEXT(pLxSalutation(1, buf), "HELLO MR SMITH,");
  CHECK(pLxSalutationText("SIR OR MADAM") == 12);
  EXPECT_TEXT(pLxGetSalutationText(buf), "SIR OR MADAM");
  CHECK(pLxSalutationPrefix("") == 0);
  CHECK(pLxParseName(NULL) == -1 && ErrorIs("A required pointer argument is null"));
}

static void Addresses(void) {
  char c = '#';
  CHECK(pLxSetAddrOption(9, -1) == 0);
  CHECK(pLxSetAddrOption(9, 1) == 0 && pLxSetAddrOption(9, -1) == 1);
  CHECK(pLxSetAddrOption(9, 0) == 0);
  CHECK(pLxSetAddrOption(10, -1) == -1 && ErrorIs("Invalid OptionCode specified"));
  CHECK(pLxSetAddrOption(-2, 0) == -1);
  CHECK(pLxSetAddrOption(0, 256) == 0 && pLxSetAddrOption(0, -1) == 0);
  CHECK(pLxSetAddrOption(0, 1) == 0);

  CHECK(pLxParseAddr("PO BOX 45") == 0);
  EXPECT_TEXT(pLxBox(buf), "        45");
  EXPECT_TEXT(pLxHouseNumber(buf), "          ");
  EXPECT_TEXT(pLxStreetName(buf), "");
  CHECK(pLxOddEven(&c) == 1 && c == ' ');

  CHECK(pLxParseAddr("123 N MAIN ST APT 4") == 0);
  EXPECT_TEXT(pLxHouseNumber(buf), "       123");
  EXPECT_TEXT(pLxHousePrefix(buf), "");
  CHECK(pLxHouseSuffix(&c) == 1 && c == ' ');
  EXPECT_TEXT(pLxFraction(buf), "");
  EXPECT_TEXT(pLxPreDir(buf), "N");
  EXPECT_TEXT(pLxStreetName(buf), "MAIN");
  EXPECT_TEXT(pLxStreetSuffix(buf), "ST");
  EXPECT_TEXT(pLxPostDir(buf), "");
  EXPECT_TEXT(pLxUnitDesignator(buf), "APT");
  EXPECT_TEXT(pLxUnitValue(buf), "4");
  EXPECT_TEXT(pLxRoute(buf), "");
  CHECK(pLxOddEven(&c) == 1 && c == 'O');
  Fill();
  CHECK(pLxMatchCode(buf) == 50 && buf[50] == '#');
  CHECK(pLxSetAddrOption(8, 0) == 0);
  Fill();
  CHECK(pLxMatchCode(buf) == 74 && buf[74] == '#');
  CHECK(pLxSetAddrOption(8, 1) == 0);
  Fill();
  CHECK(pLxWalkKey(0, buf) == 75 && buf[34] == ' ' && buf[75] == '#');
  Fill();
  CHECK(pLxWalkKey(256, buf) == 75 && buf[34] == ' ');
  Fill();
  CHECK(pLxWalkKey(1, buf) == 75 && buf[34] == 'O');
}

static void Cities(void) {
  CHECK(pLxParseCity("ANYTOWN NY 12345-6789") == 0);
  EXPECT_TEXT(pLxCityName(buf), "ANYTOWN");
  EXPECT_TEXT(pLxStateAbbr(buf), "NY");
  EXPECT_TEXT(pLxStateName(buf), "NEW YORK");
  EXPECT_TEXT(pLxZip(buf), "12345");
  EXPECT_TEXT(pLxZip4(buf), "6789");
  EXPECT_TEXT(pLxSCF(buf), "123");
  EXPECT_TEXT(pLxFips(buf), "36");

  /* A Canadian parse leaves the US results alone. */
  CHECK(pLxParseCanCity("OTTAWA ON K1A0B1") == 0);
  EXPECT_TEXT(pLxCanZip(buf), "K1A 0B1");
  EXPECT_TEXT(pLxCanProvinceName(buf), "ONTARIO");
  EXPECT_TEXT(pLxCanProvinceAbbr(buf), "ON");
  EXPECT_TEXT(pLxCanCityName(buf), "OTTAWA");
  EXPECT_TEXT(pLxZip(buf), "12345");

  CHECK(pLxParseCity("ANYTOWN") == 0);
  EXPECT_TEXT(pLxCityName(buf), "ANYTOWN");
  EXPECT_TEXT(pLxZip(buf), "");
  EXPECT_TEXT(pLxSCF(buf), "");
  EXPECT_TEXT(pLxStateName(buf), "");
  CHECK(pLxZip(NULL) == -1);
}

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: %s LIBRARY DICTIONARY SCRATCH_FILE\n", argv[0]);
    return 2;
  }
  if (!Open(argv[1])) {
    fprintf(stderr, "cannot load %s\n", argv[1]);
    return 2;
  }
#define LOAD(f)                                    \
  p##f = (__typeof__(&f))Symbol(#f);               \
  if (!p##f) {                                     \
    fprintf(stderr, "export %s is missing\n", #f); \
    return 2;                                      \
  }
  EXPORTS(LOAD)
#ifdef _WIN32
  /* Hosts may bind by number as well. */
  CHECK((void*)GetProcAddress(library, MAKEINTRESOURCEA(45)) == (void*)pLxParseName);
  CHECK((void*)GetProcAddress(library, MAKEINTRESOURCEA(55)) == (void*)pLxInitParsers);
#endif

  BeforeInit(argv[3]);
  CHECK(pLxInitParsers(argv[2]) == 0);
  CHECK(ErrorIs(kNoParsers));          /* the last failure stays after a success */
  CHECK(pLxInitParsers(argv[2]) == 0); /* a second set replaces the first */
  Case();
  NameOptions();
  Names();
  Addresses();
  Cities();
  remove(argv[3]);
  if (failures)
    printf("%d check(s) failed\n", failures);
  else
    printf("all checks passed\n");
  return failures ? 1 : 0;
}
