#pragma once

#include <stdexcept>
#include <string>

// Input the converter will not take: names the file, the line (0 when the
// fault is not on one line) and why. Whatever raised it, nothing has been
// written yet.
class InputRefused : public std::runtime_error {
public:
    InputRefused(std::string strFile, int nLine, const std::string& strWhy)
        : std::runtime_error(Describe(strFile, nLine, strWhy)), m_strFile(std::move(strFile)), m_nLine(nLine)
    {
    }

    const std::string& File() const { return m_strFile; }
    int Line() const { return m_nLine; }

private:
    static std::string Describe(const std::string& strFile, int nLine, const std::string& strWhy)
    {
        return nLine > 0 ? strFile + ", line " + std::to_string(nLine) + ": " + strWhy : strFile + ": " + strWhy;
    }

    std::string m_strFile;
    int m_nLine;
};
