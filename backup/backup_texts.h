#pragma once
// The titles and texts of the backup, restore and delete-backup messages,
// shown exactly as written here.
namespace kelvane::backup_texts {

inline constexpr wchar_t kTitleBackup[] = L"Sauvegarde";
inline constexpr wchar_t kBackupDone[] = L"La sauvegarde de vos données a été réalisée avec succès.";
inline constexpr wchar_t kBackupFailed[] =
    L"La sauvegarde de vos données a échouée!\nAssurez-vous d'avoir les droits en écriture sur le support et "
    L"dans le répertoire de destination.";
inline constexpr wchar_t kNoBackupFolder[] =
    L"Le répertoire de destination pour votre sauvegarde n'a pas encore été créé. Voulez-vous le faire "
    L"maintenant ?";

inline constexpr wchar_t kTitleRestore[] = L"Récupération";
inline constexpr wchar_t kRestoreQuestion[] =
    L"La récupération d'une sauvegarde entraine l'écrasement des données courantes et leur remplacement, "
    L"êtes-vous sûr(e) de vouloir le faire ?";
inline constexpr wchar_t kRestoreFailed[] = L"La Récupération de vos données a échouée!";
inline constexpr wchar_t kRestoreDone[] = L"La Récupération de vos données a été réalisée avec succès.";
inline constexpr wchar_t kNoBackupFound[] =
    L"Aucune sauvegarde n'a été trouvée!\nAssurez-vous d'en avoir créé une ou d'avoir accès au support où se "
    L"situe votre sauvegarde.";

inline constexpr wchar_t kTitleDeleteQuestion[] = L"Suppression sauvegarde";
inline constexpr wchar_t kDeleteQuestion[] = L"Êtes-vous sûr(e) de vouloir supprimer vos données sauvegardées ?";
inline constexpr wchar_t kTitleDeleteFailed[] = L"Erreur!";
inline constexpr wchar_t kDeleteFailed[] = L"La suppression de votre sauvegarde a échouée!";
inline constexpr wchar_t kTitleDeleteDone[] = L"Suppression!";
inline constexpr wchar_t kDeleteDone[] = L"La suppression de votre sauvegarde a été réalisée avec succès!";

inline constexpr wchar_t kTitleFolderCreation[] = L"Création dossier de Sauvegarde";
inline constexpr wchar_t kFolderCreationFailed[] = L"Le dossier de sauvegarde n'a pu être créé!";

// Why a backup, a restore or a deletion did not take place; each is followed
// by a blank line and the path concerned.
inline constexpr wchar_t kFileNotCopied[] =
    L"Ce fichier ou dossier n'a pu être lu, écrit ou renommé ; votre sauvegarde précédente n'a pas été modifiée :";
inline constexpr wchar_t kFileDamaged[] =
    L"Ce fichier est endommagé ou ne se relit pas tel qu'il a été écrit ; votre sauvegarde précédente n'a pas été "
    L"modifiée :";
inline constexpr wchar_t kFolderOfOtherFiles[] =
    L"Ce dossier contient d'autres fichiers qu'une sauvegarde de Kelvane ; il n'a pas été modifié :";
inline constexpr wchar_t kForbiddenFolder[] =
    L"Ce dossier ne peut pas servir de sauvegarde (racine d'un lecteur, dossier Windows, dossier du profil ou "
    L"dossier des données de Kelvane) :";
inline constexpr wchar_t kBackupDamaged[] =
    L"La sauvegarde est endommagée ; vos données actuelles n'ont pas été modifiées. Fichier en cause :";
inline constexpr wchar_t kFileNotRestored[] = L"Ce fichier n'a pu être remplacé :";
inline constexpr wchar_t kNotDeletedNotABackup[] =
    L"Ce dossier ne contient pas une sauvegarde créée par Kelvane ; il n'a pas été supprimé :";
inline constexpr wchar_t kNotDeletedForbidden[] =
    L"Ce dossier ne peut pas être supprimé (racine d'un lecteur, dossier Windows, dossier du profil ou dossier des "
    L"données de Kelvane) :";

// The backup folder typed in the preferences window, refused when it saves.
inline constexpr wchar_t kTitleBackupFolder[] = L"Dossier de sauvegarde";
inline constexpr wchar_t kFolderNotFullPath[] =
    L"Indiquez le chemin complet du dossier de sauvegarde, par exemple E:\\Sauvegardes\\KelvaneSave\\ :";
inline constexpr wchar_t kFolderIsAFile[] = L"Ce chemin désigne un fichier, pas un dossier :";
inline constexpr wchar_t kFolderNotEmpty[] =
    L"Ce dossier contient déjà d'autres fichiers qu'une sauvegarde de Kelvane. Choisissez un dossier vide ou une "
    L"sauvegarde existante :";

}  // namespace kelvane::backup_texts
