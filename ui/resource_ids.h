// Resource and control ids shared by the resource script and the code,
// grouped per page. Plain #defines: the resource compiler reads this too.
#pragma once

// Pages
#define kUserPage 110
#define kSplashPage 111
#define kCompletionPage 112
#define kFilesPage 113
#define kLicensePage 114
#define kReadmePage 115
#define kProgressPage 116

// Splash page
#define kSplashStatusLine 1048
