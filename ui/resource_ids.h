// Resource and control ids shared by the resource script and the code,
// grouped per page. Plain #defines: the resource compiler reads this too.
#pragma once

// Pages: the dialog templates
#define kUserPage 110
#define kSplashPage 111
#define kCompletionPage 112
#define kFilesPage 113
#define kLicensePage 114
#define kReadmePage 115
#define kProgressPage 116

// Artwork
#define kProgramIcon 102     // the first icon group: the executable's own icon
#define kSplashPicture 103
#define kPageIcon 116        // every page's window icon

// A control that no code addresses
#define kUnaddressed 65535

// Splash page
#define kSplashStatusLine 1048

// License page
#define kLicenseAccept 1011
#define kLicenseDecline 1012
#define kLicenseText 1049

// Files page: slot k is check box kFilesCheckBox1 + k or label kFilesLabel1 + k
#define kFilesContinue 1011
#define kFilesCancel 1012
#define kFilesCheckBox1 1045
#define kFilesCheckBox2 1046
#define kFilesCheckBox3 1047
#define kFilesCheckBox4 1048
#define kFilesCheckBox5 1049
#define kFilesCheckBox6 1050
#define kFilesDescription 1052
#define kFilesLabel1 1053
#define kFilesLabel2 1054
#define kFilesLabel3 1055
#define kFilesLabel4 1056
#define kFilesLabel5 1057
#define kFilesLabel6 1058

// User page
#define kUserContinue 1011
#define kUserCancel 1012
#define kUserList 1013

// Progress page
#define kProgressBar 1054
#define kProgressText 1055

// Completion page
#define kCompletionClose 1011
#define kCompletionViewReadme 1012

// Readme page
#define kReadmeClose 1011
#define kReadmeText 1049
