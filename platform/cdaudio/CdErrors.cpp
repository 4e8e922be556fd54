#include "platform/cdaudio/CdErrors.h"

namespace cdaudio {

std::string errorText(MciError code)
{
    switch (code) {
    case MCI_OK:
        return "L'opération demandée a réussi.";
    case MCIERR_INVALID_DEVICE_ID:
        return "Aucun périphérique MCI ouvert";
    case MCIERR_HARDWARE:
        return "Le lecteur n'a pas pu lire le disque. Vérifiez que le disque est propre et bien en place.";
    case MCIERR_INVALID_DEVICE_NAME:
        return "Le périphérique spécifié n'est pas ouvert ou n'est pas reconnu par MCI.";
    case MCIERR_UNSUPPORTED_FUNCTION:
        return "Le périphérique ne prend pas en charge cette commande.";
    case MCIERR_DEVICE_NOT_READY:
        return "Le périphérique n'est pas prêt. Vérifiez qu'un CD audio est dans le lecteur.";
    case MCIERR_EXTENSION_NOT_FOUND:
        return "Impossible de déterminer le type de périphérique à partir de l'extension du nom de fichier.";
    case MCIERR_OUTOFRANGE:
        return "La position demandée est en dehors du disque.";
    case MCIERR_BAD_TIME_FORMAT:
        return "Ce format de temps n'est pas reconnu par le périphérique.";
    case MCIERR_INVALID_FILE:
        return "Le lecteur ou le fichier indiqué ne contient pas de CD audio.";
    }
    return "Erreur MCI inconnue (" + std::to_string(code) + ").";
}

}  // namespace cdaudio
