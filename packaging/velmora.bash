# bash completion for velmora(1)
_velmora() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} command="" words i
  COMPREPLY=()
  for ((i = 1; i < COMP_CWORD; i++)); do
    case ${COMP_WORDS[i]} in files | folders) command=${COMP_WORDS[i]}; break ;; esac
  done
  case $command:$prev in
    files:-p | files:--preset) words="cpp mplab" ;;
    files:-e | files:--ext | folders:--names) return ;;  # a free list
    :*) words="files folders --help --version" ;;
    *:*)
      if [[ $cur == -* ]]; then
        words="--yes --dry-run --help"
        [[ $command == files ]] && words="--ext --preset $words" || words="--names $words"
      else
        # SOURCE: a folder; names with blanks stay whole.
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -d -- "$cur")
        return
      fi
      ;;
  esac
  mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
}
complete -F _velmora velmora
