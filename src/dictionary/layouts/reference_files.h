// Representative and reference files: rooms, representatives, their phones and
// state registrations, states, investment types, security products, categories
// and category phones.
//
// Each file is one list: FIELD(name, mixed-case name, type) in record order,
// the memo last, then KEY(name, description, attributes, auto-numbered
// component, components...). See dictionary/files.h for how the lists expand.
// Adding a field is adding one FIELD line.
#pragma once

// clang-format off

// Rooms (prefix ROO), stored as "ROOMS"
#define BB_FILE_ROOMS(FIELD, KEY) \
    FIELD(ROOMNUMBER, "RoomNumber", T_LONG) \
    FIELD(ROOMNAME, "RoomName", T_STRING(20)) \
    KEY(ROOMNUMBERKEY, "ROO:RoomNumberKey", kUnique | kNoCase | kBlankExcluded, 1, \
        ASC(ROOMNUMBER)) \
    KEY(ROOMNAMEKEY, "ROO:RoomNameKey", kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(ROOMNAME))

// Representatives (prefix REP), stored as "REPRESEN"
#define BB_FILE_REPRESENTATIVES(FIELD, KEY) \
    FIELD(REP_NUM, "Rep_Num", T_STRING(5)) \
    FIELD(REPRESENTATIVENUMBER, "RepresentativeNumber", T_LONG) \
    FIELD(REP_NAME, "Rep_Name", T_STRING(25)) \
    FIELD(REP_EXT, "Rep_Ext", T_STRING(6)) \
    FIELD(SSAN, "SSAN", T_STRING(11)) \
    FIELD(ADDRESS, "Address", T_STRING(40)) \
    FIELD(ADDRESS2, "Address2", T_STRING(40)) \
    FIELD(CITY, "City", T_STRING(25)) \
    FIELD(STATE, "State", T_STRING(2)) \
    FIELD(ZIPCODE, "ZipCode", T_STRING(10)) \
    FIELD(EMAIL, "EMail", T_STRING(35)) \
    FIELD(BIRTHDATE, "BirthDate", T_DATE) \
    FIELD(LOCATION, "Location", T_STRING(2)) \
    FIELD(MEDALLION, "Medallion", T_STRING(1)) \
    FIELD(INSURANCE, "Insurance", T_STRING(1)) \
    FIELD(INVESTMENTADVISOR, "InvestmentAdvisor", T_STRING(1)) \
    FIELD(BRANCHNUMBER, "BranchNumber", T_LONG) \
    FIELD(CRDNUMBER, "CRDNumber", T_LONG) \
    FIELD(STATUSREPORTDATE, "StatusReportDate", T_DATE) \
    FIELD(SERIES6, "Series6", T_STRING(1)) \
    FIELD(SERIES6DATE, "Series6Date", T_DATE) \
    FIELD(SERIES7, "Series7", T_STRING(1)) \
    FIELD(SERIES7DATE, "Series7Date", T_DATE) \
    FIELD(SERIES22, "Series22", T_STRING(1)) \
    FIELD(SERIES22DATE, "Series22Date", T_DATE) \
    FIELD(SERIES24, "Series24", T_STRING(1)) \
    FIELD(SERIES24DATE, "Series24Date", T_DATE) \
    FIELD(SERIES63, "Series63", T_STRING(1)) \
    FIELD(SERIES63DATE, "Series63Date", T_DATE) \
    FIELD(SERIES99, "Series99", T_STRING(1)) \
    FIELD(SERIES99DATE, "Series99Date", T_DATE) \
    FIELD(GPPOS, "GPPos", T_STRING(1)) \
    FIELD(GPPOSDATE, "GPPosDate", T_DATE) \
    FIELD(GSPOS, "GSPos", T_STRING(1)) \
    FIELD(GSPOSDATE, "GSPosDate", T_DATE) \
    FIELD(XXPOS, "XXPos", T_STRING(1)) \
    FIELD(XXPOSDATE, "XXPosDate", T_DATE) \
    FIELD(XYPOS, "XYPos", T_STRING(1)) \
    FIELD(XYPOSDATE, "XYPosDate", T_DATE) \
    FIELD(XZPOS, "XZPos", T_STRING(1)) \
    FIELD(XZPOSDATE, "XZPosDate", T_DATE) \
    FIELD(U4ONFILE, "U4OnFile", T_STRING(1)) \
    FIELD(U4DATE, "U4Date", T_DATE) \
    FIELD(LICENSESTATES, "LicenseStates", T_STRING(2)) \
    KEY(REPRESENTATIVENUMBERKEY, "REP:RepresentativeNumberKey", kUnique | kNoCase | kBlankExcluded, 1, \
        ASC(REPRESENTATIVENUMBER)) \
    KEY(REPRESENTATIVENAMEKEY, "REP:RepresentativeNameKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(REP_NUM), ASC(REP_NAME))

// RPhones (prefix RPH), stored as "RPHONES"
#define BB_FILE_RPHONES(FIELD, KEY) \
    FIELD(REPRESENTATIVENUMBER, "RepresentativeNumber", T_LONG) \
    FIELD(DESCRIPTION, "Description", T_STRING(10)) \
    FIELD(PHONENUMBER, "PhoneNumber", T_STRING(20)) \
    FIELD(DEPARTMENT, "Department", T_STRING(20)) \
    FIELD(CONTACT, "Contact", T_STRING(30)) \
    FIELD(EXTENSION, "Extension", T_STRING(6)) \
    KEY(REPRESENTATIVENUMBERKEY, "Representative Number", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(REPRESENTATIVENUMBER), DESC(DESCRIPTION), ASC(PHONENUMBER))

// RepStates (prefix RST), stored as "REPSTATE"
#define BB_FILE_REPSTATES(FIELD, KEY) \
    FIELD(REPRESENTATIVENUMBER, "RepresentativeNumber", T_LONG) \
    FIELD(STATE, "State", T_STRING(2)) \
    FIELD(EFFECTIVEDATE, "EffectiveDate", T_DATE) \
    KEY(REPRESENTATIVENUMBERKEY, "RST:RepresentativeNumberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(REPRESENTATIVENUMBER), ASC(STATE)) \
    KEY(STATEKEY, "RST:StateKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(STATE))

// States (prefix ST), stored as "STATES"
#define BB_FILE_STATES(FIELD, KEY) \
    FIELD(STATECODE, "StateCode", T_STRING(2)) \
    FIELD(STATENAME, "StateName", T_STRING(20)) \
    FIELD(LICENSEFEE, "LicenseFee", T_DECIMAL(5, 2)) \
    FIELD(SALESTAX, "SalesTax", T_STRING(1)) \
    FIELD(TAXRATE, "TaxRate", T_DECIMAL(5, 4)) \
    FIELD(TAXDATE, "TaxDate", T_DATE) \
    KEY(STATEKEY, "State", kPrimary | kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(STATECODE))

// InvestmentType (prefix INV), stored as "INVESTME"
#define BB_FILE_INVESTMENTTYPE(FIELD, KEY) \
    FIELD(INVESTTYPENUMBER, "InvestTypeNumber", T_LONG) \
    FIELD(INVESTTYPECODE, "InvestTypeCode", T_STRING(2)) \
    FIELD(INVESTTYPEDESC, "InvestTypeDesc", T_STRING(40)) \
    KEY(INVESTTYPENUMBERKEY, "INV:InvestTypeNumberKey", kUnique | kNoCase | kBlankExcluded, 1, \
        ASC(INVESTTYPENUMBER)) \
    KEY(INVESTTYPECODEKEY, "INV:InvestTypeCodeKey", kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(INVESTTYPECODE))

// Securities (prefix SEC), stored as "SECURITI"
#define BB_FILE_SECURITIES(FIELD, KEY) \
    FIELD(SECURITYNUMBER, "SecurityNumber", T_LONG) \
    FIELD(CATEGORYNUMBER, "CategoryNumber", T_LONG) \
    FIELD(SYMBOL, "Symbol", T_STRING(8)) \
    FIELD(CUSIPNUMBER, "CusipNumber", T_STRING(20)) \
    FIELD(SECURITYNAME, "SecurityName", T_STRING(40)) \
    FIELD(INVESTMENTTYPE, "InvestmentType", T_STRING(2)) \
    FIELD(LOADNAVCHECK, "LoadNAVCheck", T_STRING(1)) \
    FIELD(DESCRIPTION, "Description", T_STRING(40)) \
    FIELD(ACTIVE, "Active", T_STRING(1)) \
    KEY(SECURITYNUMBERKEY, "SEC:SecurityNumberKey", kPrimary | kUnique | kNoCase | kBlankExcluded, 1, \
        ASC(SECURITYNUMBER)) \
    KEY(SECURITYNAMEKEY, "SEC:SecurityNameKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(SECURITYNAME)) \
    KEY(CATEGORYNUMBERKEY, "SEC:CategoryNumberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(CATEGORYNUMBER), ASC(SYMBOL)) \
    KEY(SYMBOLKEY, "SEC:SymbolKey", kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(SYMBOL)) \
    KEY(CUSIPKEY, "SEC:CusipKey", kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(CUSIPNUMBER))

// Categories (prefix CAT), stored as "CATEGORI"
#define BB_FILE_CATEGORIES(FIELD, KEY) \
    FIELD(CATEGORYNUMBER, "CategoryNumber", T_LONG) \
    FIELD(ROOMNUMBER, "RoomNumber", T_LONG) \
    FIELD(CATEGORYNAME, "CategoryName", T_STRING(40)) \
    FIELD(CATEGORYTYPE, "CategoryType", T_STRING(40)) \
    FIELD(FOCUSCHECK, "FocusCheck", T_STRING(1)) \
    FIELD(CONTACT1, "Contact1", T_STRING(35)) \
    FIELD(CONTACT2, "Contact2", T_STRING(35)) \
    FIELD(CONTACT3, "Contact3", T_STRING(35)) \
    FIELD(ADDRESS, "Address", T_STRING(40)) \
    FIELD(ADDRESS2, "Address2", T_STRING(40)) \
    FIELD(CITY, "City", T_STRING(25)) \
    FIELD(STATE, "State", T_STRING(2)) \
    FIELD(ZIPCODE, "ZipCode", T_STRING(10)) \
    FIELD(EMAIL, "EMail", T_STRING(35)) \
    KEY(CATEGORYNUMBERKEY, "CAT:CategoryNumberKey", kPrimary | kUnique | kNoCase | kBlankExcluded, 1, \
        ASC(CATEGORYNUMBER)) \
    KEY(ROOMNUMBERKEY, "CAT:RoomNumberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(ROOMNUMBER), ASC(CATEGORYNAME)) \
    KEY(CATEGORYNAMEKEY, "CAT:CategoryNameKey", kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(CATEGORYNAME))

// CPhones (prefix CPH), stored as "CPHONES"
#define BB_FILE_CPHONES(FIELD, KEY) \
    FIELD(CATEGORYNUMBER, "CategoryNumber", T_LONG) \
    FIELD(DESCRIPTION, "Description", T_STRING(10)) \
    FIELD(PHONENUMBER, "PhoneNumber", T_STRING(20)) \
    FIELD(DEPARTMENT, "Department", T_STRING(20)) \
    FIELD(CONTACT, "Contact", T_STRING(30)) \
    FIELD(EXTENSION, "Extension", T_STRING(6)) \
    KEY(CATEGORYNUMBERKEY, "Category Number", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(CATEGORYNUMBER), DESC(DESCRIPTION), ASC(PHONENUMBER))
// clang-format on
