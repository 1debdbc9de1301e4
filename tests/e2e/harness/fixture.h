// Identifiers of the harness's fixture program.
#ifndef HARNESS_FIXTURE_H
#define HARNESS_FIXTURE_H

#define IDD_FIXTURE_ONE 100
#define IDD_FIXTURE_TWO 101
#define IDC_FIXTURE_CHECK 1001
#define IDC_FIXTURE_TRACK 1002
#define IDC_FIXTURE_INNER 1003
#define IDC_FIXTURE_EDIT 1004
#define IDC_FIXTURE_POSITION 1005

#define FIXTURE_SHEET_CAPTION "Fixture Sheet"
#define FIXTURE_BOX_CAPTION "Fixture Box"
#define FIXTURE_BOX_TEXT "Fixture text,with a comma"
#define FIXTURE_INNER_CAPTION "Fixture Inner"
#define FIXTURE_KEY "Software\\OrvantixHarnessFixture"

#endif
