#pragma once
// The forms, file properties and collection management dialogs: templates, control ids and
// their messages.

// Templates.
constexpr int IDD_ADD_FORMS = 165;
constexpr int IDD_SELECT_FORMS = 246;
constexpr int IDD_CORRA_PROPERTIES = 247;
constexpr int IDD_SAVE_COLLECTION_AS = 248;
constexpr int IDD_SAVE_COLLECTIONS = 330;

// Add Exam Form(s).
constexpr int IDC_AF_NUM_FORMS = 1633;
constexpr int IDC_AF_FORMAT = 1505;
constexpr int IDC_AF_SCRAMBLE = 2116;

// File properties.
constexpr int IDC_FP_TITLE = 1279;
constexpr int IDC_FP_DESCRIPTION = 1280;
constexpr int IDC_FP_QUESTIONS = 1360;
constexpr int IDC_FP_COLLECTIONS = 1361;
constexpr int IDC_FP_CREATED = 1362;
constexpr int IDC_FP_MODIFIED = 1363;
constexpr int IDC_FP_CORRA_ID = 1364;
constexpr int IDC_FP_LOCATION = 1366;
constexpr int IDC_FP_TITLE_LABEL = 1367;
constexpr int IDC_FP_DESCRIPTION_LABEL = 1368;
constexpr int IDC_FP_COLLECTIONS_LABEL = 1369;
constexpr int IDC_FP_CORRA_ID_LABEL = 2002;
constexpr int IDC_FP_LINKS = 1668;
constexpr int IDC_FP_LINKS_LABEL = 1669;

// Save Collection As.
constexpr int IDC_SCA_AS_COLLECTION = 1305;
constexpr int IDC_SCA_AS_CORRA = 1306;
constexpr int IDC_SCA_COLLECTION_NAME = 1307;
constexpr int IDC_SCA_FILE_NAME = 1308;

// Save Forms.
constexpr int IDC_SF_CLOSE_ALL = 2081;
constexpr int IDC_SF_SCORE = 2082;
constexpr int IDC_SF_COUNT = 2083;
constexpr int IDC_SF_LIST = 1663;
constexpr int IDC_SF_EDIT = 1664;
// "Try Again" ends the dialog with this result (SAVE_FORMS_AGAIN of the exam).
constexpr int IDC_SF_TRY_AGAIN = 4;

// Select.
constexpr int IDC_SEL_PRINT_FORMS = 1285;
constexpr int IDC_SEL_LIST = 1380;
constexpr int IDC_SEL_ALL = 1379;
constexpr int IDC_SEL_CLEAR = 1382;

// Messages.
constexpr unsigned IDS_FORM_NAME_FORMAT = 274;
constexpr unsigned IDS_DUPLICATE_FORMS = 296;
constexpr unsigned IDS_MAX_FORMS = 295;
