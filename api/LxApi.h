/*
 * LxApi: the Lexorin parsers as plain C functions.
 *
 * Call LxInitParsers once with a dictionary file; then parse one line at a time
 * and read its parts back. One set of parsers serves the whole process: call
 * from one thread at a time, and read a parse's parts before the next parse of
 * the same family.
 *
 * Conventions shared by every function:
 *   - Integers are 32-bit signed. Strings in are zero-terminated single-byte
 *     (Windows-1252) text; longer than 255 characters is cut to 255.
 *   - Strings out are copied into the caller's Buffer WITHOUT a terminating
 *     zero; the result is the number of characters written. Each function
 *     states the longest value, so size the buffer for it (256 bytes always
 *     suffice).
 *   - -1 means failure; LxLastError() then describes it. A success never clears
 *     the last error.
 *   - Option functions take (OptionCode, Value): Value -1 asks for the current
 *     value, any other Value sets it (only its low 8 bits are kept).
 *
 * Example:
 *   char buf[256];
 *   if (LxInitParsers("default.dct") != 0) puts(LxLastError());
 *   int n = LxParseName("MR JOHN Q SMITH JR");
 *   int len = LxLastName(1, buf);
 *   buf[len] = '\0';                                  -> "SMITH"
 */
#ifndef LXAPI_H
#define LXAPI_H

#include <stdint.h>

#if defined(_WIN32)
#if defined(LXAPI_BUILDING)
#define LX_API __declspec(dllexport)
#else
#define LX_API __declspec(dllimport)
#endif
#if defined(_M_IX86) || defined(__i386__)
#define LX_CALL __stdcall
#else
#define LX_CALL
#endif
#else
#define LX_API __attribute__((visibility("default")))
#define LX_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- set-up, errors and case conversion ---------------------------------- */

/* Creates the parsers over the dictionary file at Path, replacing any earlier
 * set. 0 on success; -1 when the file does not exist or is no dictionary (no
 * parsers exist then). */
LX_API int32_t LX_CALL LxInitParsers(const char* Path);
/* The most recent failure's text; "" when there was none. Valid until the next
 * failure. */
LX_API const char* LX_CALL LxLastError(void);
/* Proper-cases Text; Option 1 also upper-cases state abbreviations. At most 255. */
LX_API int32_t LX_CALL LxConvertCase(const char* Text, int32_t Option, char* Buffer);
/* OptionCode 0: apply the last-name spellings (1 after LxInitParsers). */
LX_API int32_t LX_CALL LxSetCaseOption(int32_t OptionCode, int32_t Value);

/* ---- names (Index 1 .. LxNameCount()) ------------------------------------- */

/* Parses a line of up to five names; returns how many were found. */
LX_API int32_t LX_CALL LxParseName(const char* Name);
LX_API int32_t LX_CALL LxNameCount(void);
LX_API int32_t LX_CALL LxNamePrefix(int32_t Index, char* Buffer); /* at most 30 */
LX_API int32_t LX_CALL LxFirstName(int32_t Index, char* Buffer);  /* at most 30 */
LX_API int32_t LX_CALL LxMiddleName(int32_t Index, char* Buffer); /* at most 30 */
LX_API int32_t LX_CALL LxLastName(int32_t Index, char* Buffer);   /* at most 40; a firm's name */
LX_API int32_t LX_CALL LxNameSuffix(int32_t Index, char* Buffer); /* at most 30 */
LX_API int32_t LX_CALL LxProfTitle(int32_t Index, char* Buffer);  /* at most 30 */
LX_API int32_t LX_CALL LxFullName(int32_t Index, char* Buffer);   /* at most 197 */
LX_API int32_t LX_CALL LxSalutation(int32_t Index, char* Buffer); /* at most 255 */
LX_API int32_t LX_CALL LxCompoundSalutation(char* Buffer);        /* at most 255 */
/* One character: M, F, A (ambiguous) or U; the confidence level 1 to 9. */
LX_API int32_t LX_CALL LxGender(int32_t Index, char* Out);
LX_API int32_t LX_CALL LxGenderLevel(int32_t Index, char* Out);
/* 0 name, 1 last name only, 2 family, 3 firm, 4 empty, 5 unknown. */
LX_API int32_t LX_CALL LxNameResult(int32_t Index);
/* 0 order (0 natural, 1 reverse, 2 detect), 1 firms, 2 several names, 3 compound
 * initials, 4 gender by prefix, 5 comma means reverse, 6 primary and 7 secondary
 * salutation (0 prefix+last, 1 first, 2 full name, 3 text), 8 salutation error
 * (0 full name, 1 text). */
LX_API int32_t LX_CALL LxSetNameOption(int32_t OptionCode, int32_t Value);
LX_API int32_t LX_CALL LxSalutationPrefix(const char* Text);
LX_API int32_t LX_CALL LxGetSalutationPrefix(char* Buffer);
LX_API int32_t LX_CALL LxSalutationSuffix(const char* Suffix);
LX_API int32_t LX_CALL LxGetSalutationSuffix(char* Out);
LX_API int32_t LX_CALL LxSalutationText(const char* Text);
LX_API int32_t LX_CALL LxGetSalutationText(char* Buffer);

/* ---- street addresses ----------------------------------------------------- */

/* 0 house right-justify, 1 house leading zeros, 2 standard suffix, 3 standard
 * street name, 4 house suffix to unit, 5 unit right-justify, 6 unit filter
 * special, 7 check hyphen, 8 short match code, 9 complex address. */
LX_API int32_t LX_CALL LxSetAddrOption(int32_t OptionCode, int32_t Value);
LX_API int32_t LX_CALL LxParseAddr(const char* Address);
LX_API int32_t LX_CALL LxHousePrefix(char* Buffer);           /* at most 10 */
LX_API int32_t LX_CALL LxHouseNumber(char* Buffer);           /* at most 10 */
LX_API int32_t LX_CALL LxHouseSuffix(char* Out);              /* one character, blank if none */
LX_API int32_t LX_CALL LxFraction(char* Buffer);              /* at most 10 */
LX_API int32_t LX_CALL LxPreDir(char* Buffer);                /* at most 2 */
LX_API int32_t LX_CALL LxStreetName(char* Buffer);            /* at most 60 */
LX_API int32_t LX_CALL LxStreetSuffix(char* Buffer);          /* at most 10 */
LX_API int32_t LX_CALL LxPostDir(char* Buffer);               /* at most 2 */
LX_API int32_t LX_CALL LxUnitDesignator(char* Buffer);        /* at most 10 */
LX_API int32_t LX_CALL LxUnitValue(char* Buffer);             /* at most 10 */
LX_API int32_t LX_CALL LxBox(char* Buffer);                   /* at most 10 */
LX_API int32_t LX_CALL LxRoute(char* Buffer);                 /* at most 10 */
LX_API int32_t LX_CALL LxOddEven(char* Out);                  /* one character */
LX_API int32_t LX_CALL LxMatchCode(char* Buffer);             /* 50, or 74 in the long form */
LX_API int32_t LX_CALL LxWalkKey(int32_t Flag, char* Buffer); /* 75 */

/* ---- US and Canadian city lines ------------------------------------------- */

LX_API int32_t LX_CALL LxParseCity(const char* Line);
LX_API int32_t LX_CALL LxCityName(char* Buffer);  /* at most 20 */
LX_API int32_t LX_CALL LxStateAbbr(char* Buffer); /* at most 2 */
LX_API int32_t LX_CALL LxStateName(char* Buffer); /* at most 30 */
LX_API int32_t LX_CALL LxZip(char* Buffer);       /* at most 5 */
LX_API int32_t LX_CALL LxZip4(char* Buffer);      /* at most 4 */
LX_API int32_t LX_CALL LxSCF(char* Buffer);       /* at most 3 */
LX_API int32_t LX_CALL LxFips(char* Buffer);      /* at most 2 */
LX_API int32_t LX_CALL LxParseCanCity(const char* Line);
LX_API int32_t LX_CALL LxCanCityName(char* Buffer);     /* at most 20 */
LX_API int32_t LX_CALL LxCanProvinceAbbr(char* Buffer); /* at most 2 */
LX_API int32_t LX_CALL LxCanProvinceName(char* Buffer); /* at most 30 */
LX_API int32_t LX_CALL LxCanZip(char* Buffer);          /* 7 for "A9A 9A9"; at most 255 */

#ifdef __cplusplus
}
#endif

#endif /* LXAPI_H */
