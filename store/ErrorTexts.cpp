// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ErrorTexts.h"

#include <cerrno>

namespace store {

using Kind = StoreError::Kind;

std::string systemErrorText(int error) {
    switch (error) {
        case ENOENT: return "sellist faili või kausta pole";
        case EACCES: return "juurdepääs on keelatud";
        case EPERM: return "toiming pole lubatud";
        case EROFS: return "failisüsteem on ainult lugemiseks";
        case ENOSPC: return "kettal pole vaba ruumi";
        case EISDIR: return "see on kaust, mitte fail";
        case ENOTDIR: return "asukoha mõni osa pole kaust";
        case ELOOP: return "nimeviide on liiga palju või nimeviita ei järgita";
        case EMFILE: return "avatud faile on liiga palju";
        default: return "süsteemi veakood " + std::to_string(error);
    }
}

std::string quotedPath(const std::string& path) { return "\"" + path + "\""; }

std::string unusableLockText(const std::string& lockFile, int error) {
    if (error == ELOOP || error == EINVAL)
        return "Andmefaili lukufail " + quotedPath(lockFile) +
               " on nimeviide või pole tavaline fail; seda ei kasutata.";
    return "Andmefaili lukufaili " + quotedPath(lockFile) + " ei saa luua ega avada: " + systemErrorText(error) + ".";
}

std::string storeErrorText(const StoreError& error, const std::string& file) {
    const std::string damaged = "Andmefail " + quotedPath(file) + " on rikutud: ";
    const std::string field = "\"" + error.field() + "\"";
    switch (error.kind()) {
        case Kind::CannotOpen:
            return "Faili " + quotedPath(error.path()) + " ei saa avada: " + systemErrorText(error.systemError()) + ".";
        case Kind::CannotRead:
            return "Faili " + quotedPath(error.path()) + " ei saa lugeda: " + systemErrorText(error.systemError()) +
                   ".";
        case Kind::CannotWrite:
            return "Faili " + quotedPath(error.path()) + " ei saa kirjutada: " + systemErrorText(error.systemError()) +
                   ".";
        case Kind::EmptyFile: return "Andmefail " + quotedPath(file) + " on tühi.";
        case Kind::NoPacket: return "Fail " + quotedPath(file) + " pole tähtpäevade andmefail.";
        case Kind::BadXml: return damaged + "XML-i viga baidil " + std::to_string(error.number()) + ".";
        case Kind::FieldMissing: return damaged + "väli " + field + " puudub.";
        case Kind::FieldType: return damaged + "välja " + field + " tüüp \"" + error.value() + "\" on vale.";
        case Kind::BadValue: return damaged + "väljal " + field + " on vigane väärtus \"" + error.value() + "\".";
        case Kind::TooLong:
            return damaged + "välja " + field + " väärtus on pikem kui " + std::to_string(error.number()) + " märki.";
        case Kind::NotAFile:
            return "Faili " + quotedPath(error.path()) + " ei loeta: see pole tavaline fail (seade või toru).";
        case Kind::TooLarge:
            return "Faili " + quotedPath(error.path()) + " ei loeta: see on suurem kui " +
                   (error.number() >= (1LL << 30) ? std::to_string(error.number() >> 30) + " GiB."
                                                  : std::to_string(error.number() >> 20) + " MiB.");
        case Kind::NotUtf8: return damaged + "bait " + std::to_string(error.number()) + " pole UTF-8.";
        case Kind::TooDense: return damaged + "selle suuruse kohta on liiga palju elemente.";
        case Kind::OpenToOthers:
            return "Andmefaili " + quotedPath(error.path()) +
                   " ei kasutata: selle kausta võivad kirjutada ka teised kasutajad.";
        case Kind::NotAnInteger: return "\"" + error.value() + "\" pole täisarv.";
        case Kind::Engine: break;
    }
    return "Andmefaili " + quotedPath(file) + " ei saa kasutada, sisemine viga: " + error.what();
}

}  // namespace store
