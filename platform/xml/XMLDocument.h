#pragma once

#include "platform/framework/Classes.h"
#include "platform/xml/XMLDocOptions.h"
#include "platform/xml/XMLNode.h"

#include <memory>
#include <string>
#include <string_view>

namespace xml {

// An XML document. Inactive until it is activated, loaded or given content; closing it (SetActive
// false, a new load) invalidates every node handle taken from it.
//
// Saving writes the declared Encoding: "GB2312" declares GB2312 and writes GBK bytes, so that
// GBK-only characters survive; a character the encoding cannot hold becomes a character reference.
// An empty Encoding writes UTF-8 without an encoding in the declaration, and with an empty Version
// as well no declaration is written. Loading accepts GB2312, GBK and UTF-8 documents. It never
// reads a document type declaration (a document that has one is refused), never expands entities
// and never touches the network.
//
// The document is a component, so that a form resource can hold one.
class TXMLDocument : public framework::TComponent {
public:
    explicit TXMLDocument(framework::TComponent* owner = nullptr);
    ~TXMLDocument() override;

    // Default: DefaultXMLDocOptions.
    TXMLDocOptions Options() const { return m_options; }
    void SetOptions(TXMLDocOptions options);

    bool Active() const { return m_tree != nullptr; }
    // Activating loads FileName when one is set, otherwise starts an empty document. Deactivating
    // with doAutoSave saves to FileName first.
    void SetActive(bool active);

    const std::string& FileName() const { return m_fileName; }
    void SetFileName(const std::string& fileName);
    // The DOM implementation a form asks for. This platform has one, which serves every vendor;
    // the name is kept so that the form is written back as it was read.
    const std::string& DOMVendor() const { return m_domVendor; }
    void SetDOMVendor(const std::string& vendor) { m_domVendor = vendor; }

    std::string Version() const;
    void SetVersion(const std::string& version);
    std::string Encoding() const;
    void SetEncoding(const std::string& encoding);

    // The root element, or the missing node when there is none.
    TXMLNode DocumentElement() const;
    // Adds the root element; raises when the name is invalid or a root exists.
    TXMLNode AddChild(const std::string& tagName);
    TXMLNodeList ChildNodes() const;

    // Loading raises EXMLDocError naming the file for malformed content; the document is then
    // inactive. An empty name stands for FileName.
    void LoadFromFile(const std::string& fileName = "");
    void SaveToFile(const std::string& fileName = "");
    void LoadFromString(std::string_view text);
    std::string SaveToString() const;

private:
    void CheckActive() const;
    void Close();
    void Load(std::string_view bytes, const std::string& sourceName);

    TXMLDocOptions m_options;
    std::string m_fileName;
    std::string m_domVendor;
    std::shared_ptr<detail::XMLTree> m_tree;
};

} // namespace xml
