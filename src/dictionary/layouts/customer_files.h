// Customer files: customers, their phones, notes, groups, classifications,
// addresses, cards, form letters, label stock and the preferences record.
//
// Each file is one list: FIELD(name, mixed-case name, type) in record order,
// the memo last, then KEY(name, description, attributes, auto-numbered
// component, components...). See dictionary/files.h for how the lists expand.
// Adding a field is adding one FIELD line.
#pragma once

// clang-format off

// Members (prefix MBR), stored as "MEMBERS"
#define BB_FILE_MEMBERS(FIELD, KEY) \
    FIELD(MEMBERNUMBER, "MemberNumber", T_LONG) \
    FIELD(REPRESENTATIVENUMBER, "RepresentativeNumber", T_LONG) \
    FIELD(REP_NUM, "Rep_Num", T_STRING(5)) \
    FIELD(CUSTOMERNUMBER, "CustomerNumber", T_STRING(8)) \
    FIELD(CUSCODE, "CusCode", T_STRING(2)) \
    FIELD(MEMBERNAME, "MemberName", T_STRING(34)) \
    FIELD(COMPANYNAME, "CompanyName", T_STRING(34)) \
    FIELD(CONTACT, "Contact", T_STRING(35)) \
    FIELD(LASTNAME, "LastName", T_STRING(25)) \
    FIELD(FIRSTNAME, "FirstName", T_STRING(20)) \
    FIELD(MIDDLENAME, "MiddleName", T_STRING(1)) \
    FIELD(EMPLOYER, "Employer", T_STRING(40)) \
    FIELD(MARRIEDYN, "MarriedYN", T_STRING(1)) \
    FIELD(NETWORTH, "NetWorth", T_DECIMAL(13, 2)) \
    FIELD(LASTUPDATE, "LastUpdate", T_DATE) \
    FIELD(INCOME, "Income", T_DECIMAL(13, 2)) \
    FIELD(FOREIGN, "Foreign", T_STRING(1)) \
    FIELD(ADDRESS, "Address", T_STRING(40)) \
    FIELD(ADDRESS2, "Address2", T_STRING(40)) \
    FIELD(CITY, "City", T_STRING(25)) \
    FIELD(STATE, "State", T_STRING(2)) \
    FIELD(ZIPCODE, "ZipCode", T_STRING(10)) \
    FIELD(COUNTRY, "Country", T_STRING(40)) \
    FIELD(EMAIL, "EMail", T_STRING(35)) \
    FIELD(DATEJOIN, "DateJoin", T_DATE) \
    FIELD(BIRTHDATE, "BirthDate", T_DATE) \
    FIELD(BIRTHMONTH, "BirthMonth", T_SHORT) \
    FIELD(BIRTHDAY, "BirthDay", T_SHORT) \
    FIELD(LASTORDERDATE, "LastOrderDate", T_DATE) \
    FIELD(LASTORDERAMOUNT, "LastOrderAmount", T_DECIMAL(7, 2)) \
    FIELD(CONTACTSINCE, "ContactSince", T_DATE) \
    FIELD(ACTIVE, "Active", T_BYTE) \
    FIELD(EMPLOYEERELATED, "EmployeeRelated", T_STRING(1)) \
    FIELD(MEMBERTYPE, "MemberType", T_STRING(15)) \
    FIELD(SALESLEVEL, "SalesLevel", T_STRING(20)) \
    FIELD(CREDITLIMIT, "CreditLimit", T_DECIMAL(7, 2)) \
    FIELD(SALESTAX, "SalesTax", T_STRING(1)) \
    FIELD(SALESTAXID, "SalesTaxID", T_STRING(20)) \
    FIELD(DISCOUNT, "Discount", T_DECIMAL(7, 2)) \
    FIELD(TERMS, "Terms", T_STRING(20)) \
    FIELD(SHIPCODE, "ShipCode", T_STRING(4)) \
    KEY(MEMBERKEY, "by Member Number", kPrimary | kUnique | kNoCase | kBlankExcluded, 1, \
        ASC(MEMBERNUMBER)) \
    KEY(BIRTHDAYKEY, "MBR:BirthdayKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(BIRTHMONTH), ASC(BIRTHDAY), ASC(LASTNAME), ASC(FIRSTNAME), ASC(MIDDLENAME)) \
    KEY(REPRESENTATIVENUMBERKEY, "MBR:RepresentativeNumberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(REPRESENTATIVENUMBER), ASC(COMPANYNAME)) \
    KEY(LOGKEY, "MBR:LogKey", kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(MEMBERNUMBER), ASC(REPRESENTATIVENUMBER)) \
    KEY(COMPANYKEY, "MBR:CompanyKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(COMPANYNAME)) \
    KEY(NAMEKEY, "by Name", kDups | kNoCase, 0, \
        ASC(LASTNAME), ASC(FIRSTNAME)) \
    KEY(ZIPCODEKEY, "by ZIP Code", kDups | kNoCase, 0, \
        ASC(ZIPCODE)) \
    KEY(TYPEKEY, "by Type of Member", kDups | kNoCase, 0, \
        ASC(SALESLEVEL)) \
    KEY(SALESTAXIDKEY, "MBR:SalesTaxIDKey", kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(SALESTAXID))

// Credit (prefix CRE), stored as "CREDIT"
#define BB_FILE_CREDIT(FIELD, KEY) \
    FIELD(MEMBERNUMBER, "MemberNumber", T_LONG) \
    FIELD(CREDITNUMBER, "CreditNumber", T_SHORT) \
    FIELD(CARD_COMPANY, "Card_Company", T_STRING(12)) \
    FIELD(CARDHOLDER_NAME, "CardHolder_Name", T_STRING(25)) \
    FIELD(CARD_NUMBER, "Card_Number", T_STRING(16)) \
    FIELD(EXPIRATION_DATE, "Expiration_Date", T_DATE) \
    FIELD(CARD_CO_TEXT, "Card_Co_Text", T_STRING(12)) \
    KEY(MEMBERKEY, "CRE:MemberKey", kUnique | kNoCase | kBlankExcluded, 2, \
        ASC(MEMBERNUMBER), ASC(CREDITNUMBER)) \
    KEY(COMPANY_KEY, "CRE:COMPANY_KEY", kUnique | kNoCase, 0, \
        ASC(CARD_COMPANY), ASC(CARD_NUMBER))

// Log (prefix LOG), stored as "LOG"
#define BB_FILE_LOG(FIELD, KEY) \
    FIELD(LOGNUMBER, "LogNumber", T_LONG) \
    FIELD(MEMBERNUMBER, "MemberNumber", T_LONG) \
    FIELD(REPRESENTATIVENUMBER, "RepresentativeNumber", T_LONG) \
    FIELD(DATE, "Date", T_DATE) \
    FIELD(DATE2, "Date2", T_DATE) \
    FIELD(DATE3, "Date3", T_DATE) \
    FIELD(SUSPEND, "Suspend", T_STRING(1)) \
    FIELD(SUBJECT, "Subject", T_STRING(25)) \
    FIELD(NOTESTRING, "NoteString", T_STRING(60)) \
    FIELD(MONTHCODE, "MonthCode", T_DECIMAL(7, 2)) \
    FIELD(MONTHTEXT, "MonthText", T_STRING(10)) \
    FIELD(DAYOFMONTH, "DayofMonth", T_DECIMAL(7, 2)) \
    FIELD(NOTES, "Notes", T_MEMO(750)) \
    KEY(LOGNUMBERKEY, "LOG:LogNumberKey", kUnique | kNoCase | kBlankExcluded, 1, \
        ASC(LOGNUMBER)) \
    KEY(MEMBERKEY, "LOG:MemberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(MEMBERNUMBER), ASC(REPRESENTATIVENUMBER), DESC(DATE)) \
    KEY(REPRESENTATIVENUMBERKEY, "LOG:RepresentativeNumberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(REPRESENTATIVENUMBER)) \
    KEY(DATE_KEY, "LOG:DATE_KEY", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(DATE)) \
    KEY(SUSPEND_KEY, "LOG:SUSPEND_KEY", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(REPRESENTATIVENUMBER), ASC(DATE2)) \
    KEY(ANNUAL_KEY, "LOG:ANNUAL_KEY", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(REPRESENTATIVENUMBER), ASC(MONTHCODE), ASC(DAYOFMONTH))

// Committees (prefix COM), stored as "COMMITTE"
#define BB_FILE_COMMITTEES(FIELD, KEY) \
    FIELD(COMMITTEE, "Committee", T_STRING(20)) \
    KEY(COMMITTEEKEY, "Committee", kPrimary | kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(COMMITTEE))

// Commbrs (prefix CMBRS), stored as "Commbrs"
#define BB_FILE_COMMBRS(FIELD, KEY) \
    FIELD(COMMITTEE, "Committee", T_STRING(20)) \
    FIELD(MEMBERNUMBER, "MemberNumber", T_LONG) \
    FIELD(MEMBERNAME, "MemberName", T_STRING(25)) \
    KEY(MEMBERKEY, "Member Number", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(MEMBERNUMBER)) \
    KEY(COMMITTEEKEY, "by Committee", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(COMMITTEE)) \
    KEY(KEYASSIGNMENT, "Committee & MemberNumber", kPrimary | kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(COMMITTEE), ASC(MEMBERNUMBER))

// MembershipTypes (prefix TYP), stored as "MEMBERSH"
#define BB_FILE_MEMBERSHIPTYPES(FIELD, KEY) \
    FIELD(MEMBERTYPE, "MemberType", T_STRING(15)) \
    FIELD(DESCRIPTION, "Description", T_STRING(40)) \
    KEY(MEMBERTYPEKEY, "Type of Membership", kPrimary | kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(MEMBERTYPE))

// MPhones (prefix MPH), stored as "MPHONES"
#define BB_FILE_MPHONES(FIELD, KEY) \
    FIELD(MEMBERNUMBER, "MemberNumber", T_LONG) \
    FIELD(DESCRIPTION, "Description", T_STRING(10)) \
    FIELD(PHONENUMBER, "PhoneNumber", T_STRING(20)) \
    FIELD(DEPARTMENT, "Department", T_STRING(20)) \
    FIELD(CONTACT, "Contact", T_STRING(30)) \
    FIELD(EXTENSION, "Extension", T_STRING(6)) \
    KEY(KEYMEMBERNUMBER, "Member Number", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(MEMBERNUMBER), DESC(DESCRIPTION), ASC(PHONENUMBER))

// Letters (prefix LTR), stored as "LETTERS"
#define BB_FILE_LETTERS(FIELD, KEY) \
    FIELD(LETTERTYPE, "LetterType", T_STRING(30)) \
    FIELD(APPROVEDBY, "ApprovedBy", T_STRING(20)) \
    FIELD(APPROVEDDATE, "ApprovedDate", T_DATE) \
    FIELD(LETTERBODY, "LetterBody", T_MEMO(3600)) \
    KEY(LETTERTYPEKEY, "Letter Type", kPrimary | kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(LETTERTYPE))

// ShipTo (prefix SHI), stored as "SHIPTO"
#define BB_FILE_SHIPTO(FIELD, KEY) \
    FIELD(MEMBERNUMBER, "MemberNumber", T_LONG) \
    FIELD(LOCATIONNUMBER, "LocationNumber", T_SHORT) \
    FIELD(LOCATION, "Location", T_STRING(35)) \
    FIELD(FOREIGN, "Foreign", T_STRING(1)) \
    FIELD(SHIP_CODE, "Ship_Code", T_STRING(4)) \
    FIELD(COMPANY, "Company", T_STRING(35)) \
    FIELD(ADDRESS_1, "Address_1", T_STRING(35)) \
    FIELD(ADDRESS_2, "Address_2", T_STRING(35)) \
    FIELD(CITY, "City", T_STRING(20)) \
    FIELD(STATE, "State", T_STRING(2)) \
    FIELD(ZIP_CODE, "Zip_Code", T_STRING(10)) \
    FIELD(PLUS_FOUR, "Plus_Four", T_STRING_PICTURE(4, "n4b")) \
    FIELD(COUNTRY, "Country", T_STRING(35)) \
    FIELD(EMAIL, "EMail", T_STRING(35)) \
    FIELD(SALES_TAX, "Sales_Tax", T_STRING(1)) \
    FIELD(TAX_RATE, "Tax_Rate", T_DECIMAL(5, 4)) \
    FIELD(DISCOUNT, "Discount", T_DECIMAL(3, 2)) \
    KEY(MEMBERKEY, "SHI:MemberKey", kUnique | kNoCase | kBlankExcluded, 2, \
        ASC(MEMBERNUMBER), ASC(LOCATIONNUMBER))

// Labels (prefix LAB), stored as "LABELS"
#define BB_FILE_LABELS(FIELD, KEY) \
    FIELD(LABELTYPE, "LabelType", T_STRING(15)) \
    FIELD(PAGEWIDTH, "PageWidth", T_DECIMAL(5, 2)) \
    FIELD(PAGEHEIGHT, "PageHeight", T_DECIMAL(5, 2)) \
    FIELD(LABELWIDTH, "LabelWidth", T_DECIMAL(5, 2)) \
    FIELD(LABELHEIGHT, "LabelHeight", T_DECIMAL(5, 2)) \
    FIELD(TOPMARGIN, "TopMargin", T_DECIMAL(5, 2)) \
    FIELD(LEFTMARGIN, "LeftMargin", T_DECIMAL(5, 2)) \
    FIELD(FONTSIZE, "FontSize", T_BYTE) \
    KEY(TYPE, "LAB:Type", kPrimary | kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(LABELTYPE))

// Defaults (prefix CTRL), stored as "DEFAULTS"
#define BB_FILE_DEFAULTS(FIELD, KEY) \
    FIELD(DEFAULTCITY, "DefaultCity", T_STRING(25)) \
    FIELD(DEFAULTSTATE, "DefaultState", T_STRING(2)) \
    FIELD(DEFAULTZIP, "DefaultZip", T_STRING(10)) \
    FIELD(DEFAULTTYPE, "DefaultType", T_STRING(15)) \
    FIELD(DEFAULTSALESLEVEL, "DefaultSalesLevel", T_STRING(20)) \
    FIELD(DEFAULTSALESTAX, "DefaultSalesTax", T_STRING(1)) \
    FIELD(DEFAULTDISCOUNT, "DefaultDiscount", T_DECIMAL(7, 2)) \
    FIELD(DEFAULTFOREIGN, "DefaultForeign", T_STRING(1)) \
    FIELD(DEFAULTAREACODE, "DefaultAreaCode", T_SHORT) \
    FIELD(DEFAULTPHONETYPE, "DefaultPhoneType", T_STRING(10)) \
    FIELD(DEFAULTRECEIPTCOMPANY, "DefaultReceiptCompany", T_STRING(64)) \
    FIELD(DEFAULTNEWROOPICTUREFILE, "DefaultNewRooPictureFile", T_STRING(64)) \
    FIELD(DEFAULTNEWCATPICTUREFILE, "DefaultNewCatPictureFile", T_STRING(64)) \
    FIELD(DEFAULTNEWPROPICTUREFILE, "DefaultNewProPictureFile", T_STRING(64)) \
    FIELD(DEFAULTOUTDATEPERIOD, "DefaultOutdatePeriod", T_STRING(10)) \
    FIELD(DEFAULTOUTDATEDATE, "DefaultOutdateDate", T_DATE) \
    FIELD(DEFAULTSTARTDATE, "DefaultStartDate", T_DATE) \
    FIELD(DEFAULTENDDATE, "DefaultEndDate", T_DATE) \
    FIELD(DEFAULTMONTH, "DefaultMonth", T_STRING(10)) \
    FIELD(DEFAULTMONTHSHORT, "DefaultMonthShort", T_BYTE) \
    FIELD(DEFAULTREPRESENTATIVENUMBER, "DefaultRepresentativeNumber", T_LONG) \
    FIELD(DEFAULTREP_NUM, "DefaultRep_Num", T_STRING(5)) \
    FIELD(DEFAULTCLASS, "DefaultClass", T_STRING(20)) \
    FIELD(REPORTKEY, "ReportKey", T_STRING(20)) \
    FIELD(REPORTFILTER, "ReportFilter", T_STRING(4000)) \
    FIELD(COMMFILTER, "CommFilter", T_STRING(1000)) \
    FIELD(CLASSFILTER, "ClassFilter", T_STRING(1000)) \
    FIELD(REPFILTER, "RepFilter", T_STRING(1000)) \
    FIELD(SPAREFILTER, "SpareFilter", T_STRING(1000))
// clang-format on
