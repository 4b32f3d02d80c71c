#pragma once
// The header block Rohr.txt gets before the first row of each opening of
// the report, as the pipe run has always written it.
namespace dralun::test {

inline constexpr const char* kPipeRunReportHeader =
    "Programmausgaben - Rohrhydraulik \n"
    " \n"
    "    Sohle      Länge     Gefälle       DN   kb   Qv     vv     Qt     vt    DrH   Fließzeit \n"
    "oben    unten                                                                              \n"
    "m NN    m NN     m      1:x    %       mm   mm   l/s    m/s    l/s    m/s    m        s     \n"
    "\n";

} // namespace dralun::test
