// Account and trading files: receipt items, account companies, holdings,
// receipts, accounts, transactions, account types and account company phones.
//
// Each file is one list: FIELD(name, mixed-case name, type) in record order,
// the memo last, then KEY(name, description, attributes, auto-numbered
// component, components...). See dictionary/files.h for how the lists expand.
// Adding a field is adding one FIELD line.
#pragma once

// clang-format off

// ChecksSecuritiesLog (prefix CHE), stored as "CHECKSSE"
#define BB_FILE_CHECKSSECURITIESLOG(FIELD, KEY) \
    FIELD(CHECKSSECURITIESNUMBER, "ChecksSecuritiesNumber", T_LONG) \
    FIELD(ACCOUNTREGISTRATIONNUMBER, "AccountRegistrationNumber", T_LONG) \
    FIELD(ACCOUNTRECEIPTNUMBER, "AccountReceiptNumber", T_LONG) \
    FIELD(CSRNUMBER, "CSRNumber", T_LONG) \
    FIELD(REPRESENTATIVENUMBER, "RepresentativeNumber", T_LONG) \
    FIELD(CHECKSECURITYCHOICE, "CheckSecurityChoice", T_STRING(1)) \
    FIELD(CHECKCERTNUMBER, "CheckCertNumber", T_STRING(20)) \
    FIELD(DESCRIPTION, "Description", T_STRING(25)) \
    FIELD(AMOUNT, "Amount", T_DECIMAL(15, 5)) \
    FIELD(APPROXVALUE, "ApproxValue", T_DECIMAL(13, 2)) \
    KEY(CHECKSSECURITIESKEY, "CHE:ChecksSecuritiesKey", kUnique | kNoCase | kBlankExcluded, 1, \
        ASC(CHECKSSECURITIESNUMBER)) \
    KEY(ACCOUNTREGISTRATIONKEY, "CHE:AccountRegistrationKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(ACCOUNTREGISTRATIONNUMBER), ASC(ACCOUNTRECEIPTNUMBER)) \
    KEY(REPRESENTATIVENUMBERKEY, "CHE:RepresentativeNumberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(REPRESENTATIVENUMBER), ASC(CSRNUMBER)) \
    KEY(CSRNUMBERKEY, "CHE:CSRNumberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(CSRNUMBER), ASC(CHECKSECURITYCHOICE), ASC(DESCRIPTION))

// Vendors (prefix VEN), stored as "VENDORS"
#define BB_FILE_VENDORS(FIELD, KEY) \
    FIELD(VENDORNUMBER, "VendorNumber", T_LONG) \
    FIELD(FOCUSCHECK, "FocusCheck", T_STRING(1)) \
    FIELD(VENDORNAME, "VendorName", T_STRING(40)) \
    FIELD(VENDORTYPE, "VendorType", T_STRING(40)) \
    FIELD(CONTACT1, "Contact1", T_STRING(35)) \
    FIELD(CONTACT2, "Contact2", T_STRING(35)) \
    FIELD(CONTACT3, "Contact3", T_STRING(35)) \
    FIELD(ADDRESS, "Address", T_STRING(40)) \
    FIELD(ADDRESS2, "Address2", T_STRING(40)) \
    FIELD(CITY, "City", T_STRING(25)) \
    FIELD(STATE, "State", T_STRING(2)) \
    FIELD(ZIPCODE, "ZipCode", T_STRING(10)) \
    FIELD(EMAIL, "EMail", T_STRING(35)) \
    KEY(VENDORNUMBERKEY, "VEN:VendorNumberKey", kUnique | kNoCase | kBlankExcluded, 1, \
        ASC(VENDORNUMBER)) \
    KEY(VENDORNAMEKEY, "VEN:VendorNameKey", kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(VENDORNAME))

// ClientHoldingRecord (prefix CLI), stored as "CLIENTHO"
#define BB_FILE_CLIENTHOLDINGRECORD(FIELD, KEY) \
    FIELD(REGISTRATIONNUMBER, "RegistrationNumber", T_LONG) \
    FIELD(SECURITIESNUMBER, "SecuritiesNumber", T_LONG) \
    FIELD(REPRESENTATIVENUMBER, "RepresentativeNumber", T_LONG) \
    FIELD(SYMBOL, "Symbol", T_STRING(8)) \
    FIELD(REP_NUM, "Rep_Num", T_STRING(5)) \
    FIELD(QUANTITYONHAND, "QuantityOnHand", T_DECIMAL(9, 2)) \
    FIELD(DATECLOSED, "DateClosed", T_DATE) \
    FIELD(DATEOPENED, "DateOpened", T_DATE) \
    KEY(REGISTRATIONNUMBERKEY, "CLI:RegistrationNumberKey", kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(REGISTRATIONNUMBER), ASC(SYMBOL)) \
    KEY(SECURITYNUMBERKEY, "CLI:SecurityNumberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(SECURITIESNUMBER)) \
    KEY(REPRESENTATIVEKEY, "CLI:RepresentativeKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(REP_NUM))

// CheckSecurityReceipt (prefix CSR), stored as "CHECKSEC"
#define BB_FILE_CHECKSECURITYRECEIPT(FIELD, KEY) \
    FIELD(CSRNUMBER, "CSRNumber", T_LONG) \
    FIELD(ACCOUNTREGISTRATIONNUMBER, "AccountRegistrationNumber", T_LONG) \
    FIELD(ACCOUNTRECEIPTNUMBER, "AccountReceiptNumber", T_LONG) \
    FIELD(REPRESENTATIVENUMBER, "RepresentativeNumber", T_LONG) \
    FIELD(DATE, "Date", T_DATE) \
    FIELD(RECEIVEDFROM, "ReceivedFrom", T_STRING(34)) \
    FIELD(ACCOUNTNUMBER, "AccountNumber", T_STRING(20)) \
    FIELD(ACCOUNTSHORTNAME, "AccountShortName", T_STRING(25)) \
    FIELD(REP_NUM, "Rep_Num", T_STRING(8)) \
    FIELD(REPNAME, "RepName", T_STRING(25)) \
    KEY(CSRNUMBERKEY, "CSR:CSRNumberKey", kUnique | kNoCase | kBlankExcluded, 1, \
        ASC(CSRNUMBER)) \
    KEY(ACCOUNTREGISTRATIONKEY, "CSR:AccountRegistrationKey", kUnique | kNoCase | kBlankExcluded, 2, \
        ASC(ACCOUNTREGISTRATIONNUMBER), ASC(ACCOUNTRECEIPTNUMBER)) \
    KEY(REPRESENTATIVENUMBERKEY, "CSR:RepresentativeNumberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(REPRESENTATIVENUMBER), ASC(REP_NUM), ASC(REPNAME), ASC(DATE), ASC(ACCOUNTREGISTRATIONNUMBER), ASC(ACCOUNTRECEIPTNUMBER))

// AccountRegistration (prefix ACC), stored as "ACCOUNTR"
#define BB_FILE_ACCOUNTREGISTRATION(FIELD, KEY) \
    FIELD(REGISTRATIONNUMBER, "RegistrationNumber", T_LONG) \
    FIELD(VENDORNUMBER, "VendorNumber", T_LONG) \
    FIELD(VENDORTYPE, "VendorType", T_STRING(25)) \
    FIELD(VENDORNAME, "VendorName", T_STRING(40)) \
    FIELD(MEMBERNUMBER, "MemberNumber", T_LONG) \
    FIELD(REPRESENTATIVENUMBER, "RepresentativeNumber", T_LONG) \
    FIELD(ACCOUNTNUMBER, "AccountNumber", T_STRING(20)) \
    FIELD(ACTIVEINACTIVE, "ActiveInactive", T_STRING(1)) \
    FIELD(COMPANY, "Company", T_STRING(34)) \
    FIELD(ACCOUNTOPENED, "AccountOpened", T_DATE) \
    FIELD(ACCOUNTCLASS, "AccountClass", T_STRING(1)) \
    FIELD(ACCOUNTTYPE, "AccountType", T_STRING(45)) \
    FIELD(ACCOUNTSHORTNAME, "AccountShortName", T_STRING(20)) \
    FIELD(TAXIDENTIFICATIONNUMBER, "TaxIdentificationNumber", T_STRING(20)) \
    FIELD(LASTUPDATE, "LastUpdate", T_DATE) \
    FIELD(INVESTMENTOBJECTIVES, "InvestmentObjectives", T_STRING(9)) \
    FIELD(RISKTOLERANCE, "RiskTolerance", T_STRING(1)) \
    FIELD(EMPLOYEERELATED, "EmployeeRelated", T_STRING(1)) \
    FIELD(BGORP, "BGorP", T_STRING(10)) \
    FIELD(BIRTHDATE, "BirthDate", T_DATE) \
    FIELD(MARITALSTATUS, "MaritalStatus", T_STRING(20)) \
    FIELD(USCITIZEN, "USCitizen", T_STRING(1)) \
    FIELD(RRSTATE, "RRState", T_STRING(3)) \
    FIELD(LASTNAME, "LastName", T_STRING(25)) \
    FIELD(FIRSTNAME, "FirstName", T_STRING(20)) \
    FIELD(MIDDLENAME, "MiddleName", T_STRING(1)) \
    FIELD(ACCOUNTREGISTRATION, "AccountRegistration", T_MEMO(1000)) \
    KEY(REGISTRATIONNUMBERKEY, "ACC:RegistrationNumberKey", kPrimary | kUnique | kNoCase | kBlankExcluded, 1, \
        ASC(REGISTRATIONNUMBER)) \
    KEY(ACCOUNTCLASSKEY, "ACC:AccountClassKey", kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(REGISTRATIONNUMBER), ASC(ACCOUNTCLASS)) \
    KEY(ACCOUNTTYPEKEY, "ACC:AccountTypeKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(ACCOUNTTYPE), ASC(ACCOUNTSHORTNAME), ASC(ACCOUNTNUMBER)) \
    KEY(MEMBERNUMBERKEY, "ACC:MemberNumberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(MEMBERNUMBER), ASC(COMPANY), ASC(ACCOUNTNUMBER)) \
    KEY(VENDORNUMBERKEY, "ACC:VendorNumberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(COMPANY), ASC(ACCOUNTSHORTNAME), ASC(ACCOUNTNUMBER)) \
    KEY(REPRESENTATIVENUMBERKEY, "ACC:RepresentativeNumberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(REPRESENTATIVENUMBER), ASC(ACCOUNTSHORTNAME), ASC(COMPANY), ASC(ACCOUNTNUMBER))

// Transactions (prefix TRN), stored as "TRANSACT"
#define BB_FILE_TRANSACTIONS(FIELD, KEY) \
    FIELD(TRANSACTIONNUMBER, "TransactionNumber", T_LONG) \
    FIELD(REGISTRATIONNUMBER, "RegistrationNumber", T_LONG) \
    FIELD(REPRESENTATIVENUMBER, "RepresentativeNumber", T_LONG) \
    FIELD(MEMBERNUMBER, "MemberNumber", T_LONG) \
    FIELD(DATE, "Date", T_DATE) \
    FIELD(TIME, "Time", T_TIME) \
    FIELD(TIME2, "Time2", T_TIME) \
    FIELD(TIME3, "Time3", T_TIME) \
    FIELD(CANCELACCEPT, "CancelAccept", T_STRING(1)) \
    FIELD(CATEGORYNUMBER, "CategoryNumber", T_LONG) \
    FIELD(SYMBOL, "Symbol", T_STRING(7)) \
    FIELD(DESCRIPTION, "Description", T_STRING(34)) \
    FIELD(AMOUNT, "Amount", T_DECIMAL(11, 2)) \
    FIELD(INVESTMENTOBJECTIVE, "InvestmentObjective", T_STRING(9)) \
    FIELD(RISKTOLERANCE, "RiskTolerance", T_STRING(2)) \
    FIELD(SOURCEFUNDS, "SourceFunds", T_STRING(1)) \
    FIELD(REP_NUM, "Rep_Num", T_STRING(5)) \
    FIELD(REP_NAME, "Rep_Name", T_STRING(25)) \
    FIELD(ACCOUNTCLASS, "AccountClass", T_STRING(1)) \
    FIELD(ACCOUNTSHORTNAME, "AccountShortName", T_STRING(20)) \
    FIELD(ACCOUNTNUMBER, "AccountNumber", T_STRING(20)) \
    FIELD(PRICE, "Price", T_DECIMAL(19, 10)) \
    FIELD(QUANTITY, "Quantity", T_DECIMAL(17, 5)) \
    FIELD(ADDITIONALCHARGES, "AdditionalCharges", T_DECIMAL(11, 2)) \
    FIELD(TOTALAMOUNT, "TotalAmount", T_DECIMAL(15, 2)) \
    FIELD(BUYSELL, "BuySell", T_STRING(4)) \
    FIELD(SOLICITEDUNSOLICITED, "SolicitedUnsolicited", T_STRING(1)) \
    FIELD(BIRTHDATE, "BirthDate", T_DATE) \
    FIELD(RRREGISTRATION, "RRRegistration", T_STRING(1)) \
    FIELD(DEALERGROSS, "DealerGross", T_DECIMAL(11, 2)) \
    FIELD(COMMISSION, "Commission", T_DECIMAL(11, 2)) \
    FIELD(COMMISSIONRECEIVED, "CommissionReceived", T_STRING(1)) \
    FIELD(COMMRECDATE, "CommRecDate", T_DATE) \
    FIELD(STOCKBONDCHOICE, "StockBondChoice", T_STRING(1)) \
    FIELD(DISPLAYPRICE, "DisplayPrice", T_STRING(20)) \
    KEY(TRANSACTIONNUMBERKEY, "TRN:TransactionNumberKey", kPrimary | kUnique | kNoCase | kBlankExcluded, 1, \
        ASC(TRANSACTIONNUMBER)) \
    KEY(ACCOUNTREGISTRATIONNUMBERKEY, "TRN:AccountRegistrationNumberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(REGISTRATIONNUMBER), ASC(ACCOUNTCLASS), DESC(DATE), DESC(TRANSACTIONNUMBER)) \
    KEY(MEMBERNUMBERKEY, "TRN:MemberNumberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(MEMBERNUMBER), ASC(REGISTRATIONNUMBER), DESC(DATE), ASC(TRANSACTIONNUMBER)) \
    KEY(REPRESENTATIVENUMBERKEY, "TRN:RepresentativeNumberKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(REPRESENTATIVENUMBER), ASC(REP_NUM), ASC(REP_NAME), ASC(ACCOUNTCLASS), ASC(DATE), ASC(REGISTRATIONNUMBER), ASC(DESCRIPTION)) \
    KEY(REGISTRATIONKEY, "TRN:RegistrationKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(REGISTRATIONNUMBER), ASC(SYMBOL), ASC(DATE)) \
    KEY(SECURITIESKEY, "TRN:SecuritiesKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(CATEGORYNUMBER), ASC(SYMBOL), ASC(REP_NUM), ASC(REP_NAME), ASC(ACCOUNTCLASS), ASC(ACCOUNTSHORTNAME), ASC(ACCOUNTNUMBER), ASC(DATE)) \
    KEY(REPCROSSREFERENCEKEY, "TRN:RepCrossReferenceKey", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(REPRESENTATIVENUMBER), ASC(ACCOUNTCLASS), ASC(CATEGORYNUMBER), ASC(SYMBOL), ASC(ACCOUNTSHORTNAME), ASC(ACCOUNTNUMBER), ASC(DATE)) \
    KEY(DATEKEY, "TRN:DateKey", kDups | kNoCase | kBlankExcluded, 0, \
        DESC(DATE))

// AccountTypes (prefix ACT), stored as "ACCOUNTT"
#define BB_FILE_ACCOUNTTYPES(FIELD, KEY) \
    FIELD(ACCOUNTTYPE, "AccountType", T_STRING(45)) \
    FIELD(DESCRIPTION, "Description", T_STRING(40)) \
    KEY(ACCOUNTTYPEKEY, "Type of Account", kPrimary | kUnique | kNoCase | kBlankExcluded, 0, \
        ASC(ACCOUNTTYPE))

// VPhones (prefix VPH), stored as "VPHONES"
#define BB_FILE_VPHONES(FIELD, KEY) \
    FIELD(VENDORNUMBER, "VendorNumber", T_LONG) \
    FIELD(DESCRIPTION, "Description", T_STRING(10)) \
    FIELD(PHONENUMBER, "PhoneNumber", T_STRING(20)) \
    FIELD(DEPARTMENT, "Department", T_STRING(20)) \
    FIELD(CONTACT, "Contact", T_STRING(30)) \
    FIELD(EXTENSION, "Extension", T_STRING(6)) \
    KEY(KEYVENDORNUMBER, "Vendor Number", kDups | kNoCase | kBlankExcluded, 0, \
        ASC(VENDORNUMBER), DESC(DESCRIPTION), ASC(PHONENUMBER))
// clang-format on
