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

}  // namespace kelvane::backup_texts
