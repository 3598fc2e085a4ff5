# bash completion for velmora(1)
_velmora_folders() {
  # Folder names; names with blanks stay whole.
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <(compgen -d -- "$cur")
}

_velmora() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} command="" words i
  COMPREPLY=()
  for ((i = 1; i < COMP_CWORD; i++)); do
    case ${COMP_WORDS[i]} in files | folders | restore | list | purge) command=${COMP_WORDS[i]}; break ;; esac
  done
  case $command:$prev in
    files:-p | files:--preset) words="cpp mplab vs gcc keil" ;;
    folders:-p | folders:--preset) words="vs cmake" ;;
    files:-e | files:--ext | folders:--names | *:--older-than) return ;;  # free text
    *:-s | *:--source) _velmora_folders; return ;;
    :*) words="files folders restore list purge --help --version" ;;
    list:*) words="--source --help" ;;
    purge:*) words="--older-than --source --yes --dry-run --help" ;;
    *:*)
      # SOURCE of a run, BATCH of a restore: a folder.
      [[ $cur == -* ]] || { _velmora_folders; return; }
      case $command in
        files) words="--ext --preset --older-than" ;;
        folders) words="--names --preset --older-than" ;;
        restore) words="--last --source" ;;
      esac
      words="$words --yes --dry-run --help"
      ;;
  esac
  mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
}
complete -F _velmora velmora
