#pragma once
// The maker's notice, rights statement and web addresses, as the About box,
// the help page and "Check for updates" show them.  The addresses lie in a
// domain kept for examples, so no one else's site is ever opened.  They are
// macros so that the fixed texts built from them stay single constants.

#define TELVARA_MAKER_NOTICE "Copyright (c) 2026 Ostrel Freeware"
#define TELVARA_MAKER_RIGHTS                                                                     \
    "Telvara is free of charge and may be passed on unchanged; Ostrel Freeware keeps all other " \
    "rights."
// The maker's web address: the About box's link and the help page's last line.
#define TELVARA_MAKER_SITE "http://www.example.com/"
// The maker's page for this program, opened by "Check for updates".
#define TELVARA_PROGRAM_PAGE "http://www.example.com/telvara/"

constexpr const char kMakerSite[] = TELVARA_MAKER_SITE;
constexpr const char kProgramPage[] = TELVARA_PROGRAM_PAGE;
// The About box's text: the program and its version, then the notice.
constexpr const char kAboutText[] = "Telvara 3.31\n" TELVARA_MAKER_NOTICE;
