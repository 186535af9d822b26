#pragma once
// The header block at the start of every Question Corra and exam file: titles, question and
// collection counts, collection names with their member counts, the image files the questions
// use and the file's unique id. Written with the document, parsed at the start of a document
// read, and read alone from a file (GetCorraHeaderInfo) by file lists and link searches.

#include "foundation/Parse.h"
#include "platform/core/String.h"

#include <memory>
#include <vector>

class CCorraDoc;
class CEncryptedArchive;
class CEncryptedHeadReader;

// Results of the header parser (and of the document's record readers).
constexpr int READ_OK = 1;
constexpr int READ_NOT_THIS = 0;
constexpr int READ_SYNTAX = 2;
constexpr int READ_MALFORMED = 3;
constexpr int READ_END = 6;
constexpr int READ_NO_TEXT = 13;

class CCorraHeader {
public:
    CCorraHeader();
    virtual ~CCorraHeader();
    // Copies every field but the opened file: the copy has none open.
    CCorraHeader(const CCorraHeader& other);
    CCorraHeader& operator=(const CCorraHeader& other);

    // Empties titles, id, error text, counts, collections, state and owner; the file name and
    // the image files stay.
    void Clear();
    CString GetCorraId() const { return m_csCorraId; }

    // Reads the header of a file: TRUE when it was read (a file of another kind than Question
    // Corra or exam is read without parsing: only its name is set). bKeep has no effect.
    BOOL GetCorraHeaderInfo(LPCSTR path, BOOL bKeep = FALSE);
    // Opens the file for its header: reads its start (deciphered when enciphered); FALSE when it
    // cannot be read or is neither text nor an enciphered block intact at its start.
    BOOL OpenCorraHeader(LPCSTR path);
    // Parses a header at *ppText: READ_OK (cursor past it), READ_NOT_THIS, READ_SYNTAX,
    // READ_MALFORMED, READ_END (nothing but white space).
    int ReadCorraHeader(LPCSTR* ppText, UINT* pnRemaining);
    // Parses the opened file from its start, reading on only as far as the header goes, and
    // lets the file go; READ_NO_TEXT when none is open.
    int ReadCorraHeader();
    // Appends the header block.
    void Write(CEncryptedArchive& out);

    CString m_csFileName;
    CString m_csTitle1;
    CString m_csTitle2;
    std::vector<CString> m_asCollections;
    std::vector<DWORD> m_adwCollectionCounts;
    std::vector<CString> m_asImageFiles;
    CCorraDoc* m_pOwner = nullptr;
    CString m_csCorraId;
    int m_nReadState = 0;
    CString m_csError;
    long m_nBufferLength = 0;
    BOOL m_bValid = FALSE;
    int m_nCount = 0;
    int m_nNumCollections = 0;

protected:
    // An item the header does not know: 0 ends the item list (the default), 1 read, 2 an error.
    virtual int OnUnknownItem(LPCSTR* ppText, UINT* pnRemaining) { return 0; }
    // Written just before "END HEADER"; nothing here.
    virtual void WriteExtras(CEncryptedArchive& out) {}

private:
    int ReadItem(LPCSTR* ppText, UINT* pnRemaining);
    BOOL ReadBlockItem(LPCSTR* ppText, UINT* pnRemaining, CString& out);
    BOOL ReadNumberItem(LPCSTR* ppText, UINT* pnRemaining, int& out);
    // The next text block's inner text; FALSE (cursor put back) when the next token is none.
    BOOL NextBlock(LPCSTR* ppText, UINT* pnRemaining, CString& inner);
    void ReadCollections(LPCSTR* ppText, UINT* pnRemaining);
    void ReadImages(LPCSTR* ppText, UINT* pnRemaining);

    // The header tokenizer of this thread.
    static CParse& Tokenizer();

    std::unique_ptr<CEncryptedHeadReader> m_pFile;
};
