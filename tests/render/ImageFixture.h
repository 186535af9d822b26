#pragma once
// The fixture of the image tests: image files copied into the program home under any name, a
// scripted image component that records its calls, and one that is not installed. The
// program's own component and the current DIB are put back after each test.

#include "render/Dib.h"
#include "render/ImageComponent.h"
#include "tests/support/CorraTest.h"

#include "platform/core/FileSys.h"

#include <string>
#include <vector>

// Records what it is asked; reads succeed unless told otherwise and give a 2 by 2 white image.
class CScriptedImageComponent : public IImageComponent {
public:
    BOOL installed = TRUE;
    int major = 2;
    int minor = 1;
    BOOL readOk = TRUE;
    BOOL transparent = TRUE;
    COLORREF colour = RGB(1, 2, 3);
    std::vector<std::string> calls;

    BOOL IsInstalled() override { return installed; }
    void GetVersion(int& ma, int& mi) override
    {
        ma = major;
        mi = minor;
    }
    std::unique_ptr<IImageObject> CreateObject() override { return std::make_unique<CObject>(*this); }

private:
    class CObject : public IImageObject {
    public:
        explicit CObject(CScriptedImageComponent& c) : m_c(c) {}
        BOOL ReadFile(const CString& path) override
        {
            m_c.calls.push_back("read " + path.str());
            return m_c.readOk;
        }
        BOOL Convert(QImage& dib) override
        {
            m_c.calls.push_back("convert");
            dib = QImage(2, 2, QImage::Format_RGB32);
            dib.fill(Qt::white);
            return TRUE;
        }
        BOOL IsTransparent() override
        {
            m_c.calls.push_back("transparent");
            return m_c.transparent;
        }
        COLORREF GetTransparentColor() override
        {
            m_c.calls.push_back("colour");
            return m_c.colour;
        }
        BOOL SetFolder(const CString& folder) override
        {
            m_c.calls.push_back("folder");
            return TRUE;
        }

    private:
        CScriptedImageComponent& m_c;
    };
};

class ImageFixture : public CorraTest {
protected:
    void TearDown() override
    {
        FreeDIB();
        CorraTest::TearDown();
    }

    // The component is there, but not installed.
    void RemoveComponent()
    {
        m_absent.installed = FALSE;
        ImageComponentSlot().Set(&m_absent);
    }

    // A fixture of tests/data/images copied into the program home as name.
    CString CopyImage(const char* fixture, const char* name) const
    {
        std::string bytes;
        EXPECT_TRUE(fsys::ReadFile(TestDataPath((CString("images/") + fixture).GetString()), bytes)) << fixture;
        return WriteHomeFile(name, bytes);
    }
    static std::string ReadFixture(const char* fixture)
    {
        std::string bytes;
        EXPECT_TRUE(fsys::ReadFile(TestDataPath((CString("images/") + fixture).GetString()), bytes)) << fixture;
        return bytes;
    }

private:
    CScriptedImageComponent m_absent;
};
