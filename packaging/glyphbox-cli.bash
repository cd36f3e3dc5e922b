# bash completion for glyphbox-cli                         -*- shell-script -*-
# Self-contained: it uses only bash's own compgen, so it works with or without
# the bash-completion package's helpers loaded.

_glyphbox_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local prev=
  ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}

  # The preset correlations; any whole number is accepted as well.
  local correlations='glyphbox gmt gmt+1 lounsbury martin-skidmore spinden bowditch makemson bohm fuls'
  local common='-h --help --version --correlation --calendar --spelling --haab-days --format --tsv --compare'
  local find_only='--from --to --after --before --count --limit --count-only'

  # A value after an option that takes one.
  case $prev in
  --correlation)
    COMPREPLY=($(compgen -W "$correlations" -- "$cur"))
    return
    ;;
  --calendar)
    COMPREPLY=($(compgen -W 'gregorian julian historical' -- "$cur"))
    return
    ;;
  --spelling)
    COMPREPLY=($(compgen -W 'colonial modern' -- "$cur"))
    return
    ;;
  --haab-days)
    COMPREPLY=($(compgen -W '0-19 1-20' -- "$cur"))
    return
    ;;
  --format)
    COMPREPLY=($(compgen -W 'plain tsv csv json' -- "$cur"))
    return
    ;;
  --from | --to | --after | --before)
    COMPREPLY=($(compgen -W 'today' -- "$cur"))
    return
    ;;
  --count | --limit)
    return # a number
    ;;
  esac

  # The subcommand is the first word that is neither an option nor a value.
  local i word subcommand=
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    case $word in
    --correlation | --calendar | --spelling | --haab-days | --format | \
      --from | --to | --after | --before | --count | --limit)
      ((i++))
      ;;
    -*) ;;
    *)
      subcommand=$word
      break
      ;;
    esac
  done

  if [[ $cur == -* ]]; then
    if [[ $subcommand == find ]]; then
      COMPREPLY=($(compgen -W "$common $find_only" -- "$cur"))
    else
      COMPREPLY=($(compgen -W "$common" -- "$cur"))
    fi
    return
  fi
  if [[ -z $subcommand ]]; then
    COMPREPLY=($(compgen -W 'find add diff today' -- "$cur"))
  fi
}
complete -F _glyphbox_cli glyphbox-cli
